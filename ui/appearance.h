#pragma once
// How a screen looks, alike on every desktop: the colours of each control (a high-contrast
// scheme's where the user chose one), the fonts to ask for, and the picture file for a scale.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/screen_decl.h"

namespace nubera {

// The system's colours in a high-contrast mode the user chose, which every program is to draw
// with instead of its own.
struct SystemColours {
  Rgb window, windowText;  // input fields
  Rgb face, faceText;      // the form, its labels and its buttons
};

struct Colours {
  Rgb back;
  Rgb text;
  bool operator==(const Colours&) const = default;
};

// The light face the forms were designed on, and their fields' colours. A dark desktop theme
// does not change them, as it does not change a classic Windows form.
inline constexpr Rgb kFormFace{240, 240, 240};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// The form's own colours: its face, or the system's face in high-contrast mode.
Colours formColours(const std::optional<SystemColours>& highContrast);
// What a control is drawn in. A declared back colour with the declared fore colour (black
// where none is declared); a label without a back colour of its own shows the colour of a
// band declared before it that it lies in, or the form's face; a text box is white with black
// text. In high-contrast mode the system's colours replace all declared ones.
Colours controlColours(const ScreenDecl& decl, int control,
                       const std::optional<SystemColours>& highContrast);

// A band: a label with a back colour and no caption, on which other controls stand. It lies
// under everything declared after it.
bool isBand(const ControlDecl& c);

// The contrast ratio of two colours (WCAG 2: 1 to 21); text needs 4.5, a symbol 3.
double contrastRatio(Rgb a, Rgb b);

// The picture file to draw at a display scale (1.0 = 96 dpi): above 100 % the one drawn at
// twice the size ("quick.jpg" becomes "quick@2x.jpg"), so it is as sharp as the text; the
// desktop falls back to the file itself where that one is missing.
std::string pictureFile(const std::string& file, double scale);
// The file to draw at the scale, from the folder: the one for the scale where it is there (as
// `there` tells), else the file itself.
std::string pictureToDraw(const std::string& folder, char separator, const std::string& file,
                          double scale, const std::function<bool(const std::string&)>& there);

// The font families to ask for, best first: the declared Windows font by its Japanese and its
// English name, then Japanese fonts that other Windows installations and Linux desktops have.
std::vector<std::string> fontFamilies(const Font& font);

}  // namespace nubera
