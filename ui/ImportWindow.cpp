#include "ui/ImportWindow.h"

#include "textio/BatchImport.h"
#include "ui/MainWindow.h"
#include "ui/Shell.h"

namespace quillmora {

namespace {

ControlDeclaration sourceControl(ControlDeclaration control, std::string parent) {
    control.parent = std::move(parent);
    return control;
}

void addSource(std::vector<ControlDeclaration>& c, const std::string& group, int y,
               std::string caption, const std::string& pathBox, const std::string& browse,
               const std::string& label, const std::string& separatorBox) {
    c.push_back({.name = group,
                 .kind = ControlKind::GroupBox,
                 .x = 6,
                 .y = y,
                 .width = 409,
                 .height = 98,
                 .caption = std::move(caption)});
    c.push_back(sourceControl({.name = pathBox,
                               .kind = ControlKind::EditBox,
                               .x = 13,
                               .y = 24,
                               .width = 328,
                               .height = 20},
                              group));
    c.push_back(sourceControl({.name = browse,
                               .kind = ControlKind::Button,
                               .x = 347,
                               .y = 22,
                               .width = 53,
                               .height = 24,
                               .caption = "浏览..."},
                              group));
    c.push_back(sourceControl({.name = label,
                               .kind = ControlKind::Label,
                               .x = 16,
                               .y = 56,
                               .width = 65,
                               .height = 24,
                               .caption = "内容分割："},
                              group));
    c.push_back(sourceControl({.name = separatorBox,
                               .kind = ControlKind::ComboBox,
                               .x = 80,
                               .y = 58,
                               .width = 177,
                               .height = 20,
                               .items = {"回车符"},
                               .droppedHeight = 160},
                              group));
}

// Shows the main window's lists as they are before the completion message is shown, so the
// user sees the imported words while the box is open.
class RefreshingMessages final : public MessageBoxService {
  public:
    RefreshingMessages(Shell& shell, MainWindow& mainWindow)
        : shell_(shell), mainWindow_(mainWindow) {}
    using MessageBoxService::showMessageBox;
    MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind,
                                    std::string_view title) override {
        mainWindow_.refreshLists();
        return shell_.showMessageBox(text, kind, title);
    }

  private:
    Shell& shell_;
    MainWindow& mainWindow_;
};

}  // namespace

WindowDeclaration importWindowDeclaration() {
    WindowDeclaration window{
        .role = "import", .caption = "批量导入内容", .outerWidth = 425, .outerHeight = 293};
    auto& c = window.controls;
    addSource(c, "分组框1", 6, "主词：", "编辑框1", "按钮1", "标签1", "组合框1");
    addSource(c, "分组框2", 113, "长尾词：", "编辑框2", "按钮2", "标签2", "组合框2");
    c.push_back({.name = "按钮3",
                 .kind = ControlKind::Button,
                 .x = 17,
                 .y = 229,
                 .width = 120,
                 .height = 24,
                 .caption = "导入！"});
    c.push_back({.name = "按钮4",
                 .kind = ControlKind::Button,
                 .x = 288,
                 .y = 229,
                 .width = 120,
                 .height = 24,
                 .caption = "取消"});
    return window;
}

ImportWindow::ImportWindow(Shell& shell, WindowId window, MainWindow& mainWindow)
    : shell_(shell),
      window_(window),
      mainWindow_(mainWindow),
      openDialog_{.kind = FileDialogRequest::Kind::Open,
                  .title = "选择一个内容文件：",
                  .filter = "文本文件（*.txt）|*.txt",
                  .fileMustExist = true,
                  .overwritePrompt = true,
                  .pathMustExist = true} {}

void ImportWindow::clicked(std::string_view control) {
    if (control == "按钮1") {
        browseForSource("编辑框1");
    } else if (control == "按钮2") {
        browseForSource("编辑框2");
    } else if (control == "按钮3") {
        importBothSources();
    } else if (control == "按钮4") {
        shell_.destroyWindow(window_);
    }
}

void ImportWindow::browseForSource(std::string_view pathBox) {
    if (shell_.showFileDialog(openDialog_)) {
        shell_.platform().setControlPath(window_, pathBox, openDialog_.fileName);
    }
}

void ImportWindow::importBothSources() {
    Platform& platform = shell_.platform();
    const ImportSource mainSource{platform.controlPath(window_, "编辑框1"),
                                  platform.controlText(window_, "组合框1")};
    const ImportSource longTailSource{platform.controlPath(window_, "编辑框2"),
                                      platform.controlText(window_, "组合框2")};
    RefreshingMessages messages(shell_, mainWindow_);
    batchImport(mainSource, longTailSource, mainWindow_.mainWords(), mainWindow_.longTailWords(),
                mainWindow_.mainLabel(), mainWindow_.longTailLabel(), messages);
    mainWindow_.refreshLists();
    shell_.destroyWindow(window_);
}

}  // namespace quillmora
