#include "win32/announcement.h"

#include "win32/accessible_names.h"
#include "win32/ui_automation.h"
#include "win32/utf16.h"

namespace win32 {

Announcement::Announcement(HWND window)
    : hwnd_(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {
  // In front of the design's controls, which keep their stacking among themselves; it has no
  // size, so it covers nothing.
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Announcement::Tell(std::string_view sentence) {
  if (sentence.empty() || !readerAsked_) return;
  sentence_ = Utf16(sentence);
  if (!RaiseUiaNotification(hwnd_, sentence_)) AnnounceAlert(hwnd_);
}

std::optional<LRESULT> Announcement::AnswerObjectRequest(WPARAM flags, LPARAM objectId) const {
  if (AsksForUiaElement(objectId) && Uia().returnRawElementProvider) {
    return AnswerUiaElement(hwnd_, flags, objectId, sentence_);
  }
  if (AsksForClientObject(objectId)) {
    return AnswerClientObject(hwnd_, flags, sentence_, SpokenAs::Alert);
  }
  return std::nullopt;
}

}  // namespace win32
