#include "ui/qt/FileDialogRunner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

namespace quillmora {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

// Qt reads a name filter's patterns from the ASCII parentheses at its end; the description
// is shown alone (HideNameFilterDetails), so it appears exactly as the program gives it.
QString nameFilterOf(const FileTypeFilter& filter) {
    return QStringLiteral("%1 (%2)").arg(fromUtf8(filter.description), fromUtf8(filter.pattern));
}

class FileDialog final : public QFileDialog {
  public:
    explicit FileDialog(const FileDialogRequest& request)
        : QFileDialog(QApplication::activeWindow()), request_(request) {}

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && !mayAccept(QFileInfo(chosen.first()))) {
            return;
        }
        QFileDialog::accept();
    }

  private:
    // The two requests Qt's dialog does not enforce by itself; a refused name keeps the
    // dialog open, as on Windows.
    bool mayAccept(const QFileInfo& file) {
        if (file.isDir()) {
            return true;  // Qt opens the folder
        }
        if (request_.pathMustExist && !file.absoluteDir().exists()) {
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("路径不存在：\n%1\n请检查路径是否正确。")
                                     .arg(QDir::toNativeSeparators(file.absolutePath())));
            return false;
        }
        if (request_.createPrompt && !file.exists()) {
            return QMessageBox::question(
                       this, windowTitle(),
                       QStringLiteral("%1 不存在。\n要创建该文件吗？").arg(file.fileName())) ==
                   QMessageBox::Yes;
        }
        return true;
    }

    const FileDialogRequest& request_;
};

}  // namespace

std::optional<std::filesystem::path> runFileDialog(const FileDialogRequest& request) {
    FileDialog dialog(request);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.title.empty()) {
        dialog.setWindowTitle(fromUtf8(request.title));
    }
    if (request.kind == FileDialogRequest::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    }
    QStringList filters;
    for (const FileTypeFilter& filter : request.filters) {
        filters << nameFilterOf(filter);
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int selected = std::clamp(request.selectedFilter, 0, int(filters.size()) - 1);
        dialog.selectNameFilter(filters.at(selected));
    }
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(fromUtf8(request.defaultExtension));
    }
    if (!request.initialFolder.empty()) {
        dialog.setDirectory(fromPath(request.initialFolder));
    }
    if (!request.initialFile.empty()) {
        const QFileInfo initial(fromPath(request.initialFile));
        dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(chosen.first()).toStdString());
}

}  // namespace quillmora
