// Measures the Windows program on its real windows under the story driver (run it under Wine,
// with a display): start to a main window waiting for input, and a combination run of
// 1,000 x 1,000 words from the click on "开始合成" to the "组合完成！" box, with how often the
// count label was seen rising during the run. Prints; asserts nothing.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/stories/StoryDriver.h"

using namespace quillmora;
using namespace quillmora::stories;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSinceProcessStart() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

std::filesystem::path writeWords(const std::filesystem::path& path, const char* prefix, int count) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < count; ++i) {
        out << prefix << i << "\r\n";
    }
    return path;
}

void importBoth(StoryDriver& d, const std::filesystem::path& main,
                const std::filesystem::path& longTail) {
    d.click("main", "按钮3");
    d.typeText("import", "编辑框1", main.string());
    d.pickItem("import", "组合框1", 0);
    d.typeText("import", "编辑框2", longTail.string());
    d.pickItem("import", "组合框2", 0);
    d.click("import", "按钮3");
    d.answerMessageBox(BoxAnswer::Ok);
}

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / "quillmora-bench";
    std::filesystem::create_directories(folder);
    const auto main = writeWords(folder / "main.txt", "m", 1000);
    const auto longTail = writeWords(folder / "tail.txt", "t", 1000);

    {
        auto driver = makeStoryDriver();
        driver->check([](const Screen&) {
            std::printf("start to the main window waiting for input: %.0f ms\n",
                        millisecondsSinceProcessStart());
        });
        driver->pressEscape("main");
        driver->run();
    }

    {
        auto driver = makeStoryDriver();
        StoryDriver& d = *driver;
        importBoth(d, main, longTail);
        auto started = std::make_shared<Clock::time_point>();
        d.check([started](const Screen&) { *started = Clock::now(); });
        d.click("main", "按钮14");
        d.answerMessageBox(BoxAnswer::Ok);
        d.check([started](const Screen& s) {
            std::printf("1,000 x 1,000 words, click to \"%s\": %.0f ms\n",
                        s.messageBoxes().back().text.c_str(), ms(Clock::now() - *started));
        });
        d.pressEscape("main");
        d.run();
    }

    {
        // The same run, looked at whenever it lets input through.
        auto driver = makeStoryDriver();
        StoryDriver& d = *driver;
        importBoth(d, main, longTail);
        struct Sample {
            Clock::time_point at;
            std::string count;
        };
        auto samples = std::make_shared<std::vector<Sample>>();
        d.click("main", "按钮14");
        for (int i = 0; i < 40; ++i) {
            d.afterPumps(1);
            d.check([samples](const Screen& s) {
                samples->push_back({Clock::now(), s.caption("main", "标签3")});
            });
        }
        d.answerMessageBox(BoxAnswer::Ok);
        d.pressEscape("main");
        d.run();
        double longest = 0;
        int rising = 0;
        for (std::size_t i = 1; i < samples->size(); ++i) {
            longest = std::max(longest, ms((*samples)[i].at - (*samples)[i - 1].at));
            rising +=
                std::stol("0" + (*samples)[i].count) > std::stol("0" + (*samples)[i - 1].count);
        }
        std::printf(
            "during the run: %zu looks at the window, the count rising in %d of them, "
            "longest gap %.0f ms\n",
            samples->size(), rising, longest);
    }
    std::filesystem::remove_all(folder);
}
