/* What the demo start-up entries name: a program that does nothing and ends at once, so an entry
   that Wine starts at a session start is harmless. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  return 0;
}
