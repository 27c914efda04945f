#include "ui/RulesWindow.h"

#include "ui/Shell.h"

namespace quillmora {

namespace {

ControlDeclaration radioButton(std::string name, std::string parent, int y, std::string caption,
                               bool checked) {
    return {.name = std::move(name),
            .kind = ControlKind::RadioButton,
            .parent = std::move(parent),
            .x = 23,
            .y = y,
            .width = 281,
            .height = 24,
            .caption = std::move(caption),
            .checked = checked};
}

ControlDeclaration groupBox(std::string name, int y, std::string caption) {
    return {.name = std::move(name),
            .kind = ControlKind::GroupBox,
            .x = 8,
            .y = y,
            .width = 360,
            .height = 136,
            .caption = std::move(caption)};
}

}  // namespace

WindowDeclaration rulesWindowDeclaration() {
    WindowDeclaration window{
        .role = "rules", .caption = "合成规则", .outerWidth = 380, .outerHeight = 362};
    auto& c = window.controls;
    c.push_back(groupBox("分组框1", 8, "方式："));
    c.push_back(
        radioButton("单选框1", "分组框1", 24, "顺序合成（主词和长尾词按列表顺序依次合成）", true));
    c.push_back(
        radioButton("单选框2", "分组框1", 88, "随机合成（主词和长尾词随机排列组合）", false));
    c.push_back(groupBox("分组框2", 150, "结构："));
    // The upper button of the order pair is 单选框4, the lower one 单选框3.
    c.push_back(radioButton("单选框4", "分组框2", 24, "主词+长尾词", true));
    c.push_back(radioButton("单选框3", "分组框2", 88, "长尾词+主词", false));
    c.push_back({.name = "按钮1",
                 .kind = ControlKind::Button,
                 .x = 280,
                 .y = 297,
                 .width = 80,
                 .height = 24,
                 .caption = "确定"});
    return window;
}

void RulesWindow::created() {
    // Setting one radio button never changes its partner, so all four are written.
    Platform& platform = shell_.platform();
    const CombineRules rules = shell_.rules();
    platform.setChecked(window_, "单选框1", rules.mode == CombineMode::Sequential);
    platform.setChecked(window_, "单选框2", rules.mode == CombineMode::Random);
    platform.setChecked(window_, "单选框4", rules.order == CombineOrder::MainFirst);
    platform.setChecked(window_, "单选框3", rules.order == CombineOrder::LongTailFirst);
}

void RulesWindow::clicked(std::string_view control) {
    if (control != "按钮1") {
        return;
    }
    Platform& platform = shell_.platform();
    shell_.rules() =
        CombineRules{.mode = platform.isChecked(window_, "单选框1") ? CombineMode::Sequential
                                                                    : CombineMode::Random,
                     .order = platform.isChecked(window_, "单选框4") ? CombineOrder::MainFirst
                                                                     : CombineOrder::LongTailFirst};
    shell_.destroyWindow(window_);
}

}  // namespace quillmora
