// Watches one program start: its splash screen, then its visible main window (by class). Then
// closes the main window as a user would and waits for it to go.
//   wait_for_window MAIN_CLASS
// Exit code 0 when all of that happened; 1 no main window, 3 no splash before it, 5 not closed.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  BOOL splashSeen = FALSE;
  HWND window = NULL;
  // A fresh prefix starts its services with the first program: allow a minute.
  for (int i = 0; i < 600 && window == NULL; ++i) {
    if (FindWindowA("WardenSplash", NULL) != NULL) splashSeen = TRUE;
    HWND found = FindWindowA(argv[1], NULL);
    if (found != NULL && IsWindowVisible(found)) window = found;
    else Sleep(100);
  }
  if (window == NULL) return 1;
  if (!splashSeen) return 3;
  PostMessageA(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(window); ++i) Sleep(100);
  return IsWindow(window) ? 5 : 0;
}
