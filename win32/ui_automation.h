// UI Automation's notification, by which Narrator, NVDA and JAWS are told a sentence to speak. It
// came with Windows 10, version 1709: uiautomationcore.dll is loaded when first asked for and each
// function looked up, so the program still starts on Windows 7 and 8, which lack it.
#pragma once

#include <windows.h>

#include <string>

struct IRawElementProviderSimple;

namespace win32 {

// The functions of uiautomationcore.dll the window uses; nullptr where Windows lacks one.
struct UiaFunctions {
  BOOL(WINAPI* clientsAreListening)() = nullptr;
  HRESULT(WINAPI* raiseNotification)
  (IRawElementProviderSimple* provider, int kind, int processing, BSTR text,
   BSTR activityId) = nullptr;
  HRESULT(WINAPI* hostProviderFromHwnd)(HWND window, IRawElementProviderSimple** host) = nullptr;
  LRESULT(WINAPI* returnRawElementProvider)
  (HWND window, WPARAM wParam, LPARAM lParam, IRawElementProviderSimple* provider) = nullptr;
};

// Windows' own, loaded on the first call; or those a test has put in their place.
const UiaFunctions& Uia();
void SetUiaFunctions(const UiaFunctions* standIn);  // nullptr: Windows' own again

// Whether WM_GETOBJECT asks for the window's UI Automation element.
bool AsksForUiaElement(LPARAM objectId);

// Tells a listening screen reader the sentence, from the element of the window (a child window
// of the program's that answers WM_GETOBJECT with AnswerUiaElement). False where Windows has no
// notifications, so that the caller can fall back on older ways.
bool RaiseUiaNotification(HWND window, const std::wstring& sentence);

// The answer to WM_GETOBJECT for that window's element: text named with the sentence.
LRESULT AnswerUiaElement(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name);

// Lets UI Automation release the window's element, as the window goes.
void EndUiaElement(HWND window);

}  // namespace win32
