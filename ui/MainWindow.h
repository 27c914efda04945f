#pragma once

#include <string_view>

#include "core/WordList.h"
#include "ui/FileDialog.h"
#include "ui/Platform.h"
#include "ui/WindowCountLabel.h"
#include "ui/WindowDeclaration.h"
#include "ui/WindowHandlers.h"

namespace quillmora {

class Shell;

// The maker's web page that the link label opens.
inline constexpr std::string_view kMakerWebPage = "https://brenvik.example/";

WindowDeclaration mainWindowDeclaration();

// The main window's handlers and the state it holds for the life of the program: the three
// lists, their count labels and the save dialog. The shell keeps this object alive while one
// of its handlers runs, so the lists outlive a window closed in the middle of a run.
class MainWindow final : public WindowHandlers {
  public:
    MainWindow(Shell& shell, WindowId window);

    void created() override;
    void clicked(std::string_view control) override;
    void labelReleased(std::string_view control) override;
    void selectionChanged(std::string_view control, WordList::Position row) override;
    void windowDestroyed() override { alive_ = false; }

    [[nodiscard]] WordList& mainWords() noexcept { return mainWords_; }
    [[nodiscard]] WordList& longTailWords() noexcept { return longTailWords_; }
    [[nodiscard]] WordList& combined() noexcept { return combined_; }
    [[nodiscard]] CountLabel& mainLabel() noexcept { return mainLabel_; }
    [[nodiscard]] CountLabel& longTailLabel() noexcept { return longTailLabel_; }
    // The list boxes take the lists' new contents.
    void refreshLists();

  private:
    void addWord(WordList& list, CountLabel& label, std::string_view box);
    void deleteItem(WordList& list, CountLabel& label, std::string_view box);
    void clearItems(WordList& list, CountLabel& label, std::string_view box);
    void openImportWindow();
    void openRulesWindow();
    void startCombination();
    void exportCombined();
    void setBusy(bool busy);
    void refreshList(std::string_view box);

    Shell& shell_;
    Platform& platform_;
    WindowId window_;
    bool alive_ = true;
    WordList mainWords_;
    WordList longTailWords_;
    WordList combined_;
    WindowCountLabel mainLabel_;
    WindowCountLabel longTailLabel_;
    WindowCountLabel combinedLabel_;
    FileDialog saveDialog_;
};

}  // namespace quillmora
