#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "textio/FileProblem.h"

namespace quillmora {

// A file written in pieces that replaces its target only when complete: what `writeWholeFile`
// does in one call, for output too large to build in memory first. The pieces go to a
// temporary file in the target's folder; `commit` flushes it and moves it over the target.
// Until then, and whenever anything fails, the target stays exactly as it was, and the
// temporary file is removed. A read-only target, or one another process holds open, is
// refused at the start.
class FileReplacement {
  public:
    explicit FileReplacement(const std::filesystem::path& target);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // The first problem met so far; every later call does nothing and gives it again.
    [[nodiscard]] FileProblem problem() const noexcept;
    FileProblem write(std::string_view bytes);
    // Flushes the pieces and replaces the target with them.
    FileProblem commit();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace quillmora
