// Where the window tells a screen reader the news of a step (form/news.h). Where Windows has UI
// Automation notifications (10, version 1709, and later) and a reader listens to them, the news is
// one. Otherwise an MSAA alert names it, which Windows 7 and 8 readers speak: the event names a
// child window of no size, never drawn, whose accessible object is an alert with the news as its
// name. Nothing is raised before a screen reader has asked the window for anything, so a pupil
// without one costs nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace win32 {

class Announcement {
 public:
  // Makes the announcement's window in the main window.
  explicit Announcement(HWND window);

  HWND hwnd() const { return hwnd_; }

  // A screen reader has asked the window or a control for its accessible object.
  void ReaderAsked() { readerAsked_ = true; }

  void Tell(std::string_view sentence);  // UTF-8

  // The answer to the announcement window's WM_GETOBJECT, from UI Automation or MSAA.
  std::optional<LRESULT> AnswerObjectRequest(WPARAM flags, LPARAM objectId) const;

 private:
  HWND hwnd_;
  std::wstring sentence_;
  bool readerAsked_ = false;
};

}  // namespace win32
