#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/ImportWindow.h"
#include "ui/MainWindow.h"
#include "ui/RulesWindow.h"

namespace quillmora {
namespace {

// What every backend relies on when it creates a window from its declaration.
TEST(WindowDeclarations, NamesAreUniqueAndParentsAreEarlierGroupBoxes) {
    for (const WindowDeclaration& window :
         {mainWindowDeclaration(), importWindowDeclaration(), rulesWindowDeclaration()}) {
        std::set<std::string> groupBoxes;
        std::set<std::string> names;
        for (const ControlDeclaration& control : window.controls) {
            EXPECT_TRUE(names.insert(control.name).second) << window.role << " " << control.name;
            if (!control.parent.empty()) {
                EXPECT_TRUE(groupBoxes.contains(control.parent))
                    << window.role << " " << control.name;
            }
            if (control.kind == ControlKind::GroupBox) {
                groupBoxes.insert(control.name);
            }
        }
    }
}

TEST(WindowDeclarations, CaptionsAndOuterSizes) {
    const WindowDeclaration main = mainWindowDeclaration();
    EXPECT_EQ(main.caption, "Quillmora    by Brenvik");
    EXPECT_EQ(main.outerWidth, 795);
    EXPECT_EQ(main.outerHeight, 583);
    EXPECT_EQ(main.controls.size(), 25U);
    const WindowDeclaration import = importWindowDeclaration();
    EXPECT_EQ(import.caption, "批量导入内容");
    EXPECT_EQ(import.outerWidth, 425);
    EXPECT_EQ(import.outerHeight, 293);
    const WindowDeclaration rules = rulesWindowDeclaration();
    EXPECT_EQ(rules.caption, "合成规则");
    EXPECT_EQ(rules.outerWidth, 380);
    EXPECT_EQ(rules.outerHeight, 362);
}

}  // namespace
}  // namespace quillmora
