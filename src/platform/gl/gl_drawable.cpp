#include "platform/gl/gl_drawable.h"

#include <EGL/egl.h>
#include <GL/glx.h>
#include <SDL.h>

namespace platform {
namespace {

bool EglDrawableSize(int* width, int* height) {
  EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  if (surface == EGL_NO_SURFACE) return false;
  EGLint w = 0, h = 0;
  EGLDisplay display = eglGetCurrentDisplay();
  if (!eglQuerySurface(display, surface, EGL_WIDTH, &w) || !eglQuerySurface(display, surface, EGL_HEIGHT, &h))
    return false;
  *width = w;
  *height = h;
  return w > 0 && h > 0;
}

bool GlxDrawableSize(int* width, int* height) {
  Display* display = glXGetCurrentDisplay();
  GLXDrawable drawable = glXGetCurrentDrawable();
  if (!display || drawable == None) return false;
  unsigned int w = 0, h = 0;
  glXQueryDrawable(display, drawable, GLX_WIDTH, &w);
  glXQueryDrawable(display, drawable, GLX_HEIGHT, &h);
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return w > 0 && h > 0;
}

}  // namespace

void CurrentDrawableSize(SDL_Window* window, int* width, int* height) {
  if (EglDrawableSize(width, height) || GlxDrawableSize(width, height)) return;
  SDL_GL_GetDrawableSize(window, width, height);
}

}  // namespace platform
