// What the window tests share: drive C in a temporary folder, the recorder in
// place of the desktop, and the controls of a window by name.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <optional>

#include "platform/recorder.h"
#include "platform/windowlook.h"
#include "platform/testenv.h"
#include "platform/tests/tempdrives.h"

namespace wt {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir_ / "drive_c" / "data"); }
  // Files on drive C, such as "data/benz.in".
  void WriteFile(const std::string& path, const std::string& bytes) const {
    std::ofstream(dir_ / "drive_c" / path, std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& path) const {
    std::ifstream in(dir_ / "drive_c" / path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
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
  // (a text box: its text) and its place in twips within its parent.
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
      EXPECT_EQ(Caption(w), QString::fromLatin1(row.caption)) << row.name;
      EXPECT_EQ(w->geometry(), TwipsRect(row.left, row.top, row.width, row.height)) << row.name;
    }
  }
  static QString Caption(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
    return QStringLiteral("?");
  }

  // What the desktop was asked since the last call, one line per request:
  // "cd FOLDER", "max LINE" or "normal LINE" (a start and its window),
  // "box TITLE/ICON/BUTTONS: TEXT", "open TITLE".
  std::string Log() {
    std::string log;
    for (const RecordedEvent& e : desktop_.events) {
      if (!log.empty()) log += '\n';
      const Message& m = e.message;
      switch (e.kind) {
        case RecordedEvent::Kind::ChangeFolder:
          log += "cd " + e.folder;
          break;
        case RecordedEvent::Kind::Start:
          log +=
              (e.window == WindowRequest::MaximizedActivated ? "max " : "normal ") + e.commandLine;
          break;
        case RecordedEvent::Kind::Message:
          log += "box " + m.title + (m.icon == MessageIcon::Critical ? "/stop" : "/-") +
                 (m.buttons == MessageButtons::OkCancel ? "/ok-cancel: " : "/ok: ") + m.text;
          break;
        case RecordedEvent::Kind::OpenDialog:
          log += "open " + e.dialog.dialogTitle;
          break;
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
