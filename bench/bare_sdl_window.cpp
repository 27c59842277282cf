// The baseline of the window start-up benchmark: the least a program can do
// to show a 484 x 306 borderless window with SDL2 — one fill, one present,
// then exit — with the same software framebuffer the viewer uses.

#include <SDL.h>

#include <cstdio>

int main(int, char**) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bare_sdl_window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 484, 306,
                                        SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
  SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
  if (surface == nullptr) {
    std::fprintf(stderr, "bare_sdl_window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xFF, 0xFF, 0xFF));
  SDL_UpdateWindowSurface(window);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
