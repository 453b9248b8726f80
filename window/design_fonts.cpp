#include "window/design_fonts.h"

#include "form/twips.h"

#include <QString>
#include <QStringList>
#include <cstring>

namespace designfonts {

void installSubstitutes() {
  QFont::insertSubstitutions("Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"});
  QFont::insertSubstitutions("Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"});
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arimo", "DejaVu Sans"});
  QFont::insertSubstitutions("Arial Black", {"Roboto", "Liberation Sans", "DejaVu Sans"});
}

QFont fontFor(const form::FontSpec& design, Fallback fallback) {
  QFont font(QString::fromLatin1(design.family));
  // The answer row needs a fixed pitch even from a fallback: the subscript digits stand in the
  // blank of "x =".
  const bool fixedPitch = std::strcmp(design.family, "Courier New") == 0;
  font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
  font.setFixedPitch(fixedPitch);
  font.setPixelSize(form::FontPixels(design.points));
  font.setWeight(static_cast<QFont::Weight>(design.weight));
  font.setUnderline(design.underline);
  if (fallback == Fallback::None) font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

}  // namespace designfonts
