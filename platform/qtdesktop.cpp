#include "platform/qtdesktop.h"

#include <QApplication>
#include <QFileDialog>
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

DialogOutcome QtDesktop::ShowOpen(FileDialog& dialog) {
  QString initDir;
  if (std::optional<std::string> host = HostPath(dialog.initDir)) initDir = ToQt(*host);
  QFileDialog box(QApplication::activeWindow(), ToQt(dialog.dialogTitle), initDir);
  box.setAcceptMode(QFileDialog::AcceptOpen);
  box.setFileMode((dialog.flags & FileDialog::kFileMustExist) ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
  QStringList filters = NameFiltersOf(dialog.filter);
  if (!filters.isEmpty()) {
    box.setNameFilters(filters);
    int index = dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size()
                    ? dialog.filterIndex - 1
                    : 0;
    box.selectNameFilter(filters[index]);
  }
  QString suffix = ToQt(dialog.defaultExt);
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  box.setDefaultSuffix(suffix);
  if (!dialog.fileName.empty()) {
    std::optional<std::string> host = HostPath(dialog.fileName);
    box.selectFile(ToQt(host ? *host : dialog.fileName));
  }
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
    return DialogOutcome::Cancelled;
  }
  dialog.fileName = FromQt(box.selectedFiles().front());
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
