// The Qt program end to end under the offscreen platform: both lists imported through the
// import window, then a click on "开始合成" timed to the "组合完成！" box, with the gaps between
// event pumps (each one repaints the window) and the count label read at every pump.
//   quillmora_qt_bench [words per list, 1000]   e.g. 2000 for 4,000,000 phrases
// Prints the run's time, the pumps, and the process's memory next to the phrases' bytes.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ui/Shell.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtWindow.h"

namespace {

using namespace quillmora;
using Clock = std::chrono::steady_clock;

long statusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(std::string(field).size()));
        }
    }
    return -1;
}

std::filesystem::path writeWords(const std::filesystem::path& file, char prefix, int count) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < count; ++i) {
        out << prefix << "word" << i << "\r\n";
    }
    return file;
}

// The Qt platform with a user who imports the two files, starts the run and ends the program.
class BenchPlatform final : public Platform {
  public:
    BenchPlatform(QtPlatform& qt, std::filesystem::path mainFile, std::filesystem::path tailFile)
        : qt_(qt), mainFile_(std::move(mainFile)), tailFile_(std::move(tailFile)) {}

    void setEventSink(PlatformEvents* sink) override { qt_.setEventSink(sink); }
    WindowId createWindow(const WindowDeclaration& d, WindowOwner o) override {
        const WindowId id = qt_.createWindow(d, o);
        if (d.role == "main") {
            main_ = id;
        } else if (d.role == "import") {
            import_ = id;
        }
        return id;
    }
    void showWindow(WindowId w) override {
        qt_.showWindow(w);
        if (w == main_) {
            clickLater(main_, "按钮3");
        } else if (w == import_) {
            qt_.post([this] {
                qt_.setControlPath(import_, "编辑框1", mainFile_);
                qt_.setControlPath(import_, "编辑框2", tailFile_);
                qt_.window(import_)->setText("组合框1", QStringLiteral("回车符"));
                qt_.window(import_)->setText("组合框2", QStringLiteral("回车符"));
                clickLater(import_, "按钮3");
            });
        }
    }
    void destroyWindow(WindowId w) override {
        qt_.destroyWindow(w);
        if (w == import_) {
            qt_.post([this] {
                started_ = Clock::now();
                lastPump_ = started_;
                clickLater(main_, "按钮14");
            });
        }
    }
    void setWindowEnabled(WindowId w, bool e) override { qt_.setWindowEnabled(w, e); }
    bool isWindowEnabled(WindowId w) override { return qt_.isWindowEnabled(w); }
    void bringToFront(WindowId w) override { qt_.bringToFront(w); }
    void setCaption(WindowId w, std::string_view c, std::string_view t) override {
        qt_.setCaption(w, c, t);
    }
    void setControlVisible(WindowId w, std::string_view c, bool v) override {
        qt_.setControlVisible(w, c, v);
    }
    void setControlEnabled(WindowId w, std::string_view c, bool e) override {
        qt_.setControlEnabled(w, c, e);
    }
    void setChecked(WindowId w, std::string_view c, bool v) override { qt_.setChecked(w, c, v); }
    bool isChecked(WindowId w, std::string_view c) override { return qt_.isChecked(w, c); }
    Text controlText(WindowId w, std::string_view c) override { return qt_.controlText(w, c); }
    std::filesystem::path controlPath(WindowId w, std::string_view c) override {
        return qt_.controlPath(w, c);
    }
    void setControlPath(WindowId w, std::string_view c, const std::filesystem::path& p) override {
        qt_.setControlPath(w, c, p);
    }
    void showList(WindowId w, std::string_view c, const WordList& l) override {
        if (c == "列表框3") {
            combined_ = &l;
        }
        qt_.showList(w, c, l);
    }
    void refreshList(WindowId w, std::string_view c) override { qt_.refreshList(w, c); }
    LoopEnd runLoop(FunctionRef<bool()> done) override { return qt_.runLoop(done); }
    void pumpEvents() override {
        const auto now = Clock::now();
        longestGap_ = std::max(longestGap_, now - lastPump_);
        lastPump_ = now;
        ++pumps_;
        const QString count = static_cast<QLabel*>(qt_.window(main_)->control("标签3"))->text();
        counts_.push_back(count.toLongLong());
        qt_.pumpEvents();
    }
    void post(std::function<void()> task) override { qt_.post(std::move(task)); }
    void postQuit() override { qt_.postQuit(); }
    std::chrono::steady_clock::time_point now() override { return qt_.now(); }
    MessageBoxResult messageBox(std::string_view text, MessageBoxKind, std::string_view) override {
        if (text == "组合完成！") {
            finished_ = Clock::now();
            longestGap_ = std::max(longestGap_, finished_ - lastPump_);
            report();
            clickLater(main_, "按钮1");
        }
        return MessageBoxResult::Ok;  // answered at once: the box is where the timing ends
    }
    std::optional<Text> inputBox(const InputBoxRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> fileDialog(const FileDialogRequest&) override {
        return std::nullopt;
    }
    void openWebPage(std::string_view) override {}

  private:
    void clickLater(WindowId window, const char* control) {
        qt_.post([this, window, control] {
            if (auto* button = qobject_cast<QPushButton*>(qt_.window(window)->control(control))) {
                button->click();
            }
        });
    }

    void report() {
        using std::chrono::duration;
        const bool rising = std::is_sorted(counts_.begin(), counts_.end()) && !counts_.empty() &&
                            counts_.front() < counts_.back();
        std::printf("run: %.3f s from the click on 开始合成 to 组合完成！, %zu phrases\n",
                    duration<double>(finished_ - started_).count(),
                    combined_ ? static_cast<std::size_t>(combined_->count()) : 0U);
        std::printf("pumps: %d, longest gap between two %.1f ms, count label %s (%lld .. %lld)\n",
                    pumps_, duration<double, std::milli>(longestGap_).count(),
                    rising ? "rising" : "NOT rising", counts_.empty() ? 0 : counts_.front(),
                    counts_.empty() ? 0 : counts_.back());
        const double phraseMib =
            combined_ ? static_cast<double>(combined_->byteCount()) / (1024.0 * 1024.0) : 0;
        const double rssMib = static_cast<double>(statusKib("VmRSS:")) / 1024.0;
        const double peakMib = static_cast<double>(statusKib("VmHWM:")) / 1024.0;
        std::printf(
            "memory: %.1f MiB resident (peak %.1f MiB), phrases %.1f MiB; "
            "limit 2 x phrases + 100 MiB = %.1f MiB\n",
            rssMib, peakMib, phraseMib, 2 * phraseMib + 100);
    }

    QtPlatform& qt_;
    std::filesystem::path mainFile_;
    std::filesystem::path tailFile_;
    WindowId main_ = kNoWindow;
    WindowId import_ = kNoWindow;
    const WordList* combined_ = nullptr;
    Clock::time_point started_;
    Clock::time_point finished_;
    Clock::time_point lastPump_;
    Clock::duration longestGap_{};
    int pumps_ = 0;
    std::vector<long long> counts_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int words = argc > 1 ? std::stoi(argv[1]) : 1000;
    const auto folder = std::filesystem::temp_directory_path() / "quillmora-qt-bench";
    std::filesystem::create_directories(folder);
    QtPlatform qt(argc, argv);
    BenchPlatform platform(qt, writeWords(folder / "main.txt", 'm', words),
                           writeWords(folder / "tail.txt", 't', words));
    const int status = runProgram(platform);
    std::filesystem::remove_all(folder);
    return status;
}
