// Application-wide Qt set-up shared by the program and the window tests.
#pragma once

class QApplication;

namespace luch {

inline constexpr const char* kApplicationTitle = "Расчет луча ТЕРН-12";

// Loads Qt's Russian texts for its standard buttons and dialogs, sets the
// application title and keeps the C library's number formatting on ".".
void SetUpApplication(QApplication& app);

}  // namespace luch
