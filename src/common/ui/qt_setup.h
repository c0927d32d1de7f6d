// Application-wide Qt set-up shared by the program and the window tests.
#pragma once

class QApplication;

namespace luch {

inline constexpr const char* kApplicationTitle = "Расчет луча ТЕРН-12";
// The least difference of lightness (0..1) between a tooltip's text and ground.
inline constexpr double kMinToolTipContrast = 0.45;

// Loads Qt's Russian texts for its standard buttons and dialogs, sets the
// application title, keeps the C library's number formatting on "." and
// gives tooltips readable colours where the style's are not.
void SetUpApplication(QApplication& app);

}  // namespace luch
