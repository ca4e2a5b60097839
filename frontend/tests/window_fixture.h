// What the window tests share: drive C in a temporary folder, the recorder in
// place of the desktop, and the controls of a window by name.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <string>

#include "platform/recorder.h"
#include "platform/tests/tempdrives.h"
#include "platform/windowlook.h"

namespace wt {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir_ / "drive_c" / "data"); }
  // Files on drive C, such as "data/benz.in".
  void WriteFile(const std::string& path, const std::string& bytes) const {
    testing::WriteBytes(dir_ / "drive_c" / path, bytes);
  }
  std::string ReadFile(const std::string& path) const {
    return testing::ReadBytes(dir_ / "drive_c" / path);
  }
  template <typename Control>
  static Control* Get(QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // The names of the controls that Tab visits, from `first` round to it.
  static QStringList TabOrder(QWidget* first) {
    QStringList order;
    QWidget* w = first;
    do {
      if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()) order << w->objectName();
      w = w->nextInFocusChain();
    } while (w != first);
    return order;
  }

  // One row of a window's layout table: a control, its Qt class, its caption
  // (a text box: its text; a frame: its title) and its place in twips within
  // its parent.
  struct Row {
    const char* name;
    const char* kind;
    const char* caption;
    int left, top, width, height;
  };
  static void ExpectLayout(QWidget* window, std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
      QWidget* w = Get<QWidget>(window, row.name);
      if (w == nullptr) continue;
      EXPECT_STREQ(w->metaObject()->className(), row.kind) << row.name;
      const QVariant text = w->property("text");
      EXPECT_EQ((text.isValid() ? text : w->property("title")).toString(), row.caption) << row.name;
      EXPECT_EQ(w->geometry(), TwipsRect(row.left, row.top, row.width, row.height)) << row.name;
    }
  }

  // An Open dialog as it was asked for: name|folder|title|filter|default
  // extension|filter index|flags, then "|cancel error" where cancelling is one.
  static std::string Describe(const FileDialog& d) {
    return d.fileName + "|" + d.initDir + "|" + d.dialogTitle + "|" + d.filter + "|" +
           d.defaultExt + "|" + std::to_string(d.filterIndex) + "|" + std::to_string(d.flags) +
           (d.cancelError ? "|cancel error" : "");
  }

  // What the desktop was asked since the last call, one line per request:
  // "cd FOLDER", "max LINE" or "normal LINE" (a start and its window),
  // "box TITLE/ICON/BUTTONS: TEXT", "open TITLE".
  std::string Log() {
    std::string log;
    for (const RecordedEvent& e : desktop_.events) {
      const Message& m = e.message;
      if (!log.empty()) log += '\n';
      if (e.kind == RecordedEvent::Kind::ChangeFolder) log += "cd " + e.folder;
      if (e.kind == RecordedEvent::Kind::OpenDialog) log += "open " + e.dialog.dialogTitle;
      if (e.kind == RecordedEvent::Kind::Start) {
        log += (e.window == WindowRequest::MaximizedActivated ? "max " : "normal ") + e.commandLine;
      }
      if (e.kind == RecordedEvent::Kind::Message) {
        log += "box " + m.title + (m.icon == MessageIcon::Critical ? "/stop" : "/-") +
               (m.buttons == MessageButtons::OkCancel ? "/ok-cancel: " : "/ok: ") + m.text;
      }
    }
    desktop_.Clear();
    return log;
  }

  const testing::TempDrives drives_;
  const std::filesystem::path dir_ = drives_.Root();
  Recorder desktop_;
};

}  // namespace wt
