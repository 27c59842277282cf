// zaviz-era-varedu / ZavizEraVaredu.exe: the firmware repair wizard.

#include <string>
#include <vector>

#include "app/repair/repair_program.h"

#ifdef _WIN32
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return zapp::RunRepairProgram({}); }
#else
int main(int argc, char** argv) { return zapp::RunRepairProgram(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
