#include "ui/MainWindow.h"

#include <array>
#include <chrono>
#include <memory>

#include "core/Combination.h"
#include "core/ListProcedures.h"
#include "textio/Export.h"
#include "textio/FileSystem.h"
#include "ui/ImportWindow.h"
#include "ui/RulesWindow.h"
#include "ui/Shell.h"

namespace quillmora {

namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};

ControlDeclaration groupBox(std::string name, int x, int y, std::string caption) {
    return {.name = std::move(name),
            .kind = ControlKind::GroupBox,
            .x = x,
            .y = y,
            .width = 224,
            .height = 455,
            .caption = std::move(caption)};
}

ControlDeclaration listBox(std::string name, std::string parent, int y) {
    return {.name = std::move(name),
            .kind = ControlKind::ListBox,
            .parent = std::move(parent),
            .x = 8,
            .y = y,
            .width = 207,
            .height = 340};
}

ControlDeclaration button(std::string name, std::string parent, int x, int y, int width,
                          std::string caption) {
    return {.name = std::move(name),
            .kind = ControlKind::Button,
            .parent = std::move(parent),
            .x = x,
            .y = y,
            .width = width,
            .height = 24,
            .caption = std::move(caption)};
}

ControlDeclaration countLabel(std::string name, std::string parent, int x, int y, int width,
                              int fontHeight, Rgb color) {
    return {.name = std::move(name),
            .kind = ControlKind::Label,
            .parent = std::move(parent),
            .x = x,
            .y = y,
            .width = width,
            .height = 24,
            .visible = false,
            .font = FontDeclaration{.pixelHeight = fontHeight, .bold = true},
            .textColor = color,
            .alignment = TextAlignment::Center};
}

ControlDeclaration picture(std::string name, int x, Picture image) {
    return {.name = std::move(name),
            .kind = ControlKind::PictureBox,
            .x = x,
            .y = 207,
            .width = 32,
            .height = 32,
            .picture = image};
}

// The buttons that the busy state disables and enables again, in this order.
constexpr std::array<std::string_view, 13> kBusyButtons = {
    "按钮1", "按钮2", "按钮3",  "按钮4",  "按钮5",  "按钮6", "按钮7",
    "按钮8", "按钮9", "按钮11", "按钮12", "按钮13", "按钮14"};

// Keeps a run's hooks cheap: a phrase only marks the combined list as changed, and the clock is
// read every few hundred candidates so that events are pumped every few milliseconds, with the
// count label and the list box brought up to date right before.
class RunPacing {
  public:
    static constexpr unsigned kCandidatesPerClockLook = 256;
    static constexpr std::chrono::milliseconds kPumpInterval{5};

    RunPacing(Shell& shell, const bool& windowAlive, std::function<void()> flush)
        : shell_(shell),
          alive_(windowAlive),
          flush_(std::move(flush)),
          lastPump_(shell.platform().now()) {}

    RunDecision beforeCandidate() {
        if (++candidates_ % kCandidatesPerClockLook != 0) {
            return RunDecision::Continue;
        }
        if (shell_.platform().now() - lastPump_ < kPumpInterval) {
            return RunDecision::Continue;
        }
        flushIfChanged();
        shell_.pumpEvents();
        lastPump_ = shell_.platform().now();
        return alive_ && !shell_.outOfMemory() ? RunDecision::Continue : RunDecision::Stop;
    }
    void phraseAdded() noexcept { changed_ = true; }
    void flushIfChanged() {
        if (changed_ && alive_) {
            changed_ = false;
            flush_();
        }
    }

  private:
    Shell& shell_;
    const bool& alive_;
    std::function<void()> flush_;
    std::chrono::steady_clock::time_point lastPump_;
    unsigned candidates_ = 0;
    bool changed_ = false;
};

// The export asks for its path through the main window's save dialog.
class SaveDialogOf final : public SaveDialogService {
  public:
    SaveDialogOf(Shell& shell, FileDialog& dialog) : shell_(shell), dialog_(dialog) {}
    std::optional<std::filesystem::path> askSavePath() override {
        if (!shell_.showFileDialog(dialog_)) {
            return std::nullopt;
        }
        return dialog_.fileName;
    }

  private:
    Shell& shell_;
    FileDialog& dialog_;
};

}  // namespace

WindowDeclaration mainWindowDeclaration() {
    WindowDeclaration window{.role = "main",
                             .caption = "Quillmora    by Brenvik",
                             .outerWidth = 795,
                             .outerHeight = 583};
    auto& c = window.controls;
    c.push_back(groupBox("分组框1", 9, 9, "主词："));
    c.push_back(listBox("列表框1", "分组框1", 19));
    c.push_back(button("按钮2", "分组框1", 7, 366, 88, "添加"));
    c.push_back(button("按钮4", "分组框1", 7, 399, 88, "删除"));
    c.push_back(button("按钮5", "分组框1", 122, 399, 88, "清空"));
    c.push_back(countLabel("标签1", "分组框1", 122, 372, 88, 12, kBlue));
    c.push_back(groupBox("分组框2", 283, 9, "长尾词："));
    c.push_back(listBox("列表框2", "分组框2", 18));
    c.push_back(button("按钮6", "分组框2", 10, 367, 88, "添加"));
    c.push_back(button("按钮8", "分组框2", 10, 400, 88, "删除"));
    c.push_back(button("按钮9", "分组框2", 125, 400, 88, "清空"));
    c.push_back(countLabel("标签2", "分组框2", 125, 373, 88, 12, kBlue));
    c.push_back(groupBox("分组框3", 557, 9, "合成词："));
    c.push_back(listBox("列表框3", "分组框3", 18));
    c.push_back(button("按钮11", "分组框3", 11, 368, 204, "导出"));
    c.push_back(button("按钮12", "分组框3", 12, 401, 88, "删除"));
    c.push_back(button("按钮13", "分组框3", 127, 401, 88, "清空"));
    c.push_back(countLabel("标签3", "", 616, 465, 112, 14, kRed));
    c.push_back(picture("图片框1", 242, Picture::PlusSign));
    c.push_back(picture("图片框2", 516, Picture::DoubleChevron));
    c.push_back(
        {.name = "标签4",
         .kind = ControlKind::Label,
         .x = 14,
         .y = 477,
         .width = 560,
         .height = 26,
         .caption = "欢迎访问 Brenvik 发现更多实用软件！",
         .font =
             FontDeclaration{.face = "黑体", .pixelHeight = 21, .bold = true, .underline = true},
         .textColor = kBlue,
         .alignment = TextAlignment::Center,
         .pointer = PointerShape::Hand});
    c.push_back(button("按钮3", "", 18, 517, 200, "批量导入"));
    c.push_back(button("按钮7", "", 254, 517, 200, "合成规则"));
    ControlDeclaration start = button("按钮14", "", 490, 517, 200, "开始合成");
    start.font = FontDeclaration{.pixelHeight = 12, .bold = true};
    c.push_back(std::move(start));
    ControlDeclaration close = button("按钮1", "", 729, 516, 51, "关闭");
    c.push_back(std::move(close));
    return window;
}

MainWindow::MainWindow(Shell& shell, WindowId window)
    : shell_(shell),
      platform_(shell.platform()),
      window_(window),
      mainLabel_(platform_, window, "标签1", alive_),
      longTailLabel_(platform_, window, "标签2", alive_),
      combinedLabel_(platform_, window, "标签3", alive_),
      saveDialog_{.kind = FileDialogRequest::Kind::Save,
                  .title = "选定保存的位置",
                  .filter = "文本文件（*.txt）|*.txt",
                  .defaultExtension = "txt",
                  .fileMustExist = true,
                  .overwritePrompt = true,
                  .pathMustExist = true} {
    platform_.showList(window_, "列表框1", mainWords_);
    platform_.showList(window_, "列表框2", longTailWords_);
    platform_.showList(window_, "列表框3", combined_);
}

void MainWindow::created() {
    shell_.rules() = CombineRules{};
}

void MainWindow::clicked(std::string_view control) {
    if (control == "按钮2") {
        addWord(mainWords_, mainLabel_, "列表框1");
    } else if (control == "按钮4") {
        deleteItem(mainWords_, mainLabel_, "列表框1");
    } else if (control == "按钮5") {
        clearItems(mainWords_, mainLabel_, "列表框1");
    } else if (control == "按钮6") {
        addWord(longTailWords_, longTailLabel_, "列表框2");
    } else if (control == "按钮8") {
        deleteItem(longTailWords_, longTailLabel_, "列表框2");
    } else if (control == "按钮9") {
        clearItems(longTailWords_, longTailLabel_, "列表框2");
    } else if (control == "按钮11") {
        exportCombined();
    } else if (control == "按钮12") {
        deleteItem(combined_, combinedLabel_, "列表框3");
    } else if (control == "按钮13") {
        clearItems(combined_, combinedLabel_, "列表框3");
    } else if (control == "按钮3") {
        openImportWindow();
    } else if (control == "按钮7") {
        openRulesWindow();
    } else if (control == "按钮14") {
        startCombination();
    } else if (control == "按钮1") {
        shell_.destroyWindow(window_);
    }
}

void MainWindow::labelReleased(std::string_view control) {
    if (control == "标签4") {
        shell_.openWebPage(kMakerWebPage);
    }
}

void MainWindow::selectionChanged(std::string_view control, WordList::Position row) {
    if (control == "列表框1") {
        mainWords_.select(row);
    } else if (control == "列表框2") {
        longTailWords_.select(row);
    } else if (control == "列表框3") {
        combined_.select(row);
    }
}

void MainWindow::refreshList(std::string_view box) {
    if (alive_) {
        platform_.refreshList(window_, box);
    }
}

void MainWindow::refreshLists() {
    refreshList("列表框1");
    refreshList("列表框2");
}

void MainWindow::addWord(WordList& list, CountLabel& label, std::string_view box) {
    addWordByHand(list, shell_, shell_, label);
    refreshList(box);
}

void MainWindow::deleteItem(WordList& list, CountLabel& label, std::string_view box) {
    deleteSelectedItem(list, shell_, label);
    refreshList(box);
}

void MainWindow::clearItems(WordList& list, CountLabel& label, std::string_view box) {
    clearList(list, shell_, label);
    refreshList(box);
}

void MainWindow::openImportWindow() {
    shell_.loadWindow(importWindowDeclaration(), [this](WindowId window) {
        return std::make_shared<ImportWindow>(shell_, window, *this);
    });
}

void MainWindow::openRulesWindow() {
    shell_.loadWindow(rulesWindowDeclaration(), [this](WindowId window) {
        return std::make_shared<RulesWindow>(shell_, window);
    });
}

void MainWindow::setBusy(bool busy) {
    for (const auto name : kBusyButtons) {
        if (!alive_) {
            return;
        }
        platform_.setControlEnabled(window_, name, !busy);
    }
}

void MainWindow::startCombination() {
    setBusy(true);
    RunPacing pacing(shell_, alive_, [this] {
        combinedLabel_.showCount(combined_);
        refreshList("列表框3");
    });
    runCombination(
        mainWords_, longTailWords_, combined_, shell_.rules(), shell_.randomSource(),
        [&pacing] { return pacing.beforeCandidate(); },
        [&pacing](const WordList&) { pacing.phraseAdded(); });
    // Closed during the run: the window and its controls are gone and the program is ending.
    if (!alive_ || shell_.outOfMemory()) {
        return;
    }
    pacing.flushIfChanged();
    shell_.showMessageBox("组合完成！", MessageBoxKind::Information, "完成");
    setBusy(false);
}

void MainWindow::exportCombined() {
    SaveDialogOf saveDialog(shell_, saveDialog_);
    exportCombinedList(
        combined_, saveDialog,
        [](const std::filesystem::path& path, std::string_view bytes) {
            return writeWholeFile(path, bytes);
        },
        shell_);
}

}  // namespace quillmora
