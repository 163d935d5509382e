// kalvox: starts the calculator window, with a result file loaded when one is named.

#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about/app_icon.h"
#include "kalvox_version.h"
#include "panel/main_window.h"
#include "panel/qt_dialog_seam.h"
#include "ui/chinese_font.h"
#include "ui/qt_translation.h"

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

#ifndef _WIN32
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
#endif

// Whether the window has somewhere to appear. Platforms that need no display server
// (offscreen, vnc, ...) are left to Qt.
bool displayAvailable(int argc, char** argv) {
#ifdef _WIN32
    // Windows always has its desktop.
    (void)argc;
    (void)argv;
    return true;
#else
    std::string platform = requestedPlatform(argc, argv);
    platform = platform.substr(0, platform.find_first_of(";:"));
    if (platform.rfind("wayland", 0) == 0) return !environment("WAYLAND_DISPLAY").empty();
    if (!platform.empty() && platform != "xcb") return true;
    if (xServerAnswers()) return true;
    return platform.empty() && !environment("WAYLAND_DISPLAY").empty();
#endif
}

// What is left of the command line once Qt has taken its own options: at most one
// file to open. "--" ends the options, so a file whose name starts with "-" can be named.
struct CommandLine {
    QString file;   // empty when none is named
    QString error;  // why the command line is refused; empty when it is fine
};

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool named = false;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QStringLiteral("--")) {
            options = false;
            continue;
        }
        if (options && argument.startsWith(u'-') && argument != QStringLiteral("-")) {
            line.error = QStringLiteral("unknown option '%1'").arg(argument);
            return line;
        }
        if (named) {
            line.error = QStringLiteral("only one file can be opened");
            return line;
        }
        line.file = argument;
        named = true;
    }
    return line;
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
    const CommandLine commandLine = parseCommandLine(QApplication::arguments().mid(1));
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "kalvox: %s\nusage: kalvox [--version] [FILE]\n",
                     qPrintable(commandLine.error));
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("kalvox"));
    QApplication::setApplicationVersion(QStringLiteral(KALVOX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kalvox.Kalvox"));

    // Qt's own dialogs and buttons speak Chinese, like the rest of the window.
    QTranslator qtTranslations;
    if (kalvox::loadQtChineseTranslation(qtTranslations)) {
        QApplication::installTranslator(&qtTranslations);
    }
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QApplication::setFont(kalvox::chineseFont(9));
    QApplication::setWindowIcon(kalvox::appIcon());

    kalvox::QtDialogSeam dialogs;
    kalvox::MainWindow window(dialogs);
    window.show();
    // The file named on the command line (the launcher passes the one double-clicked) is
    // loaded once the window is up; a refused file is reported over the window, which
    // then stays as it started.
    if (!commandLine.file.isEmpty()) {
        QTimer::singleShot(0, &window,
                           [&window, &commandLine] { window.openResultFile(commandLine.file); });
    }
    return app.exec();
}
