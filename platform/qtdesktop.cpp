#include "platform/qtdesktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/qttext.h"

namespace wt {
namespace {

QString AllFilesPattern(QString patterns) {
  if (EndsFolder('/')) patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
  return patterns;
}

}  // namespace

QStringList NameFiltersOf(const std::string& filter) {
  QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    QString patterns = AllFilesPattern(QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    // Qt reads the patterns from the last parentheses of a filter; show the
    // description as written and give Qt the patterns it should use.
    QString shown = description;
    int open = shown.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && shown.endsWith(QLatin1Char(')'))) shown = shown.left(open).trimmed();
    result << QStringLiteral("%1 (%2)").arg(shown, patterns);
  }
  return result;
}

MessageAnswer QtDesktop::ShowMessage(const Message& message) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  if (message.icon == MessageIcon::Information) icon = QMessageBox::Information;
  if (message.icon == MessageIcon::Critical) icon = QMessageBox::Critical;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  if (message.buttons == MessageButtons::OkCancel) buttons |= QMessageBox::Cancel;
  QMessageBox box(icon, ToQt(message.title.empty() ? title_ : message.title), ToQt(message.text),
                  buttons, QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Cancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

namespace {

// An Open dialog that treats its default extension as the common dialog
// does: it is added to a name that has none only when the name as given is
// no file, so a program without an extension can still be picked.
class OpenDialog : public QFileDialog {
 public:
  OpenDialog(QWidget* parent, const QString& title, const QString& folder, QString extension,
             bool mustExist)
      : QFileDialog(parent, title, folder), extension_(std::move(extension)),
        mustExist_(mustExist) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
  }
  const QString& Chosen() const { return chosen_; }

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return;
    const QFileInfo info(files.front());
    if (info.isDir()) {
      QFileDialog::accept();  // opens the folder
      return;
    }
    std::optional<QString> resolved = Resolve(info);
    if (!resolved) {
      QMessageBox::warning(this, windowTitle(),
                           QStringLiteral("%1\nFile not found.\nCheck the file name and try again.")
                               .arg(info.fileName()));
      return;
    }
    chosen_ = *resolved;
    QFileDialog::accept();
  }

 private:
  std::optional<QString> Resolve(const QFileInfo& info) const {
    if (info.isFile()) return info.absoluteFilePath();
    QString withExtension = info.absoluteFilePath();
    const bool addExtension = !extension_.isEmpty() && info.suffix().isEmpty();
    if (addExtension) withExtension += QLatin1Char('.') + extension_;
    if (QFileInfo(withExtension).isFile()) return withExtension;
    if (mustExist_) return std::nullopt;
    return withExtension;
  }

  QString extension_;
  bool mustExist_;
  QString chosen_;
};

}  // namespace

DialogOutcome QtDesktop::ShowOpen(FileDialog& dialog) {
  QString initDir;
  if (std::optional<std::string> host = HostPath(dialog.initDir)) initDir = ToQt(*host);
  QString extension = ToQt(dialog.defaultExt);
  if (extension.startsWith(QLatin1Char('.'))) extension.remove(0, 1);
  OpenDialog box(QApplication::activeWindow(), ToQt(dialog.dialogTitle), initDir, extension,
                 (dialog.flags & FileDialog::kFileMustExist) != 0);
  QStringList filters = NameFiltersOf(dialog.filter);
  if (!filters.isEmpty()) {
    box.setNameFilters(filters);
    int index = dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size()
                    ? dialog.filterIndex - 1
                    : 0;
    box.selectNameFilter(filters[index]);
  }
  if (!dialog.fileName.empty()) {
    std::optional<std::string> host = HostPath(dialog.fileName);
    box.selectFile(ToQt(host ? *host : dialog.fileName));
  }
  if (box.exec() != QDialog::Accepted || box.Chosen().isEmpty()) {
    return DialogOutcome::Cancelled;
  }
  dialog.fileName = FromQt(box.Chosen());
  dialog.filterIndex = static_cast<int>(filters.indexOf(box.selectedNameFilter())) + 1;
  return DialogOutcome::Chosen;
}

bool QtDesktop::StartProgram(const std::string& commandLine, WindowRequest window,
                             std::string* reason) {
  return StartCommandLine(commandLine, window, reason);
}

bool QtDesktop::SetCurrentFolder(const std::string& folder, std::string* reason) {
  return ChangeCurrentFolder(folder, reason);
}

}  // namespace wt
