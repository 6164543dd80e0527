#pragma once
#include <string>

#include "image.h"

// Text drawn with the IPA fonts found through fontconfig. The generator stops with a clear
// message when a font is missing, so a build never ships pictures without their words.
enum class Face { Gothic, PGothic, PMincho };

struct TextStyle {
  Face face = Face::PGothic;
  int size = 12;        // pixels
  bool bold = false;
  bool smooth = true;   // false: hard one-colour pixels (for pictures that must keep few colours)
};

// Draws UTF-8 text with its top-left corner at (x, y), blending the colour onto the picture.
// Returns the width in pixels.
int DrawText(Image& im, int x, int y, const std::string& text, uint32_t color, const TextStyle& st);
int TextWidth(const std::string& text, const TextStyle& st);
int TextHeight(const TextStyle& st);
// Centred horizontally on cx.
void DrawTextCentered(Image& im, int cx, int y, const std::string& text, uint32_t color, const TextStyle& st);
// Text with a soft glow around it, the look of a phosphor screen.
void DrawGlowText(Image& im, int x, int y, const std::string& text, uint32_t color, uint32_t glow,
                  const TextStyle& st, int radius = 2);

void ShutDownText();
