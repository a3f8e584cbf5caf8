#include "game/win_main.h"

int main() { return WinMain(nullptr) == 1 ? 0 : 255; }
