// kalvox: starts the calculator window.

#include <dlfcn.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about/app_icon.h"
#include "panel/chinese_font.h"
#include "panel/form1.h"
#include "panel/qt_dialog_seam.h"

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The platform Qt will use: "-platform NAME" on the command line, else QT_QPA_PLATFORM.
std::string requestedPlatform(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0) return argv[i + 1];
    }
    return environment("QT_QPA_PLATFORM");
}

// Whether an X server answers on DISPLAY. libxcb is loaded only for this question,
// so the program itself does not link it; without it a set DISPLAY has to do.
bool xServerAnswers() {
    const std::string display = environment("DISPLAY");
    if (display.empty()) return false;
    void* xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!xcb) return true;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    bool answers = true;
    if (connect && hasError && disconnect) {
        void* connection = connect(nullptr, nullptr);
        answers = connection && hasError(connection) == 0;
        if (connection) disconnect(connection);
    }
    dlclose(xcb);
    return answers;
}

// Whether the window has somewhere to appear. Platforms that need no display server
// (offscreen, vnc, ...) are left to Qt.
bool displayAvailable(int argc, char** argv) {
    std::string platform = requestedPlatform(argc, argv);
    platform = platform.substr(0, platform.find_first_of(";:"));
    if (platform.rfind("wayland", 0) == 0) return !environment("WAYLAND_DISPLAY").empty();
    if (!platform.empty() && platform != "xcb") return true;
    if (xServerAnswers()) return true;
    return platform.empty() && !environment("WAYLAND_DISPLAY").empty();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kalvox %s\n", KALVOX_VERSION);
            return 0;
        }
    }
    if (!displayAvailable(argc, argv)) {
        std::fprintf(stderr,
                     "kalvox: no display can be opened (DISPLAY=\"%s\"); without a desktop, "
                     "start it under xvfb-run, e.g. xvfb-run ./build/kalvox\n",
                     environment("DISPLAY").c_str());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalvox"));
    QApplication::setApplicationVersion(QStringLiteral(KALVOX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kalvox.Kalvox"));

    // Qt's own dialogs and buttons speak Chinese, like the rest of the window.
    QTranslator qtTranslations;
    if (qtTranslations.load(QStringLiteral("qtbase_zh_CN"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslations);
    }
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QApplication::setFont(kalvox::chineseFont(9));
    QApplication::setWindowIcon(kalvox::appIcon());

    kalvox::QtDialogSeam dialogs;
    kalvox::Form1 window(dialogs);
    window.show();
    return app.exec();
}
