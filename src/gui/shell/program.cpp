#include "gui/shell/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "app/session.h"
#include "core/env/version.h"
#include "core/jvlink/jvlink_start.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/mainwindow/MainWindow.h"

namespace quindle::gui {

namespace {

// The text of --version or --help when one of them is the only argument.
std::optional<std::string> ConsoleOnlyAnswer(int argc, char* argv[]) {
    if (argc != 2) return std::nullopt;
    const std::string_view arg = argv[1];
    if (arg == "--version") return std::string("quindle ") + env::kVersion + "\n";
    if (arg == "--help") return CommandLineUsage();
    return std::nullopt;
}

// A Windows program of the GUI subsystem starts without a console; one
// started from a command prompt writes its answer to that prompt's console.
void AttachParentConsole() {
#if defined(_WIN32)
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::FILE* ignored = nullptr;
        ::freopen_s(&ignored, "CONOUT$", "w", stdout);
    }
#endif
}

}  // namespace

Result<std::unique_ptr<MainWindow>> StartProgram(const ProgramSetup& setup) {
    MessageSink& messages = SinkOrDefault(setup.messages);
    app::SessionOptions options;
    options.home = setup.commandLine.home;
    options.jvLink = setup.commandLine.jvLink;
    options.registry = setup.registry;
    // One clock for the session, the substitute and the window.
    options.programClock = app::MakeProgramClock(setup.commandLine.jvLink.clock, setup.clock);
    options.clock = ClockFunction(options.programClock);
    // A start that cannot go on is told to the user, who may have no console.
    auto fail = [&messages](const std::string& text, const std::string& reason) {
        messages.Inform(FromUtf8(text), Beep::Yes);
        return Error{reason};
    };
    auto folder = app::ChooseProgramFolder(options);
    if (!folder) return fail(folder.error(), folder.error());

    // JV-Link is tested before the start-up touches the program folder. The
    // substitute cannot be made without its settings: JV-Link is absent.
    auto source = app::JvLinkSource::Resolve(
        *folder, options.jvLink, app::WithoutStore::kDefaultFolder, options.programClock);
    if (!source) {
        return fail(std::string(jvlink::kJvLinkAbsentMessage), "JV-Link: " + source.error());
    }
    if (Status present = source->TestPresence(); !present) {
        return fail(std::string(jvlink::kJvLinkAbsentMessage), "JV-Link: " + present.error());
    }

    auto session = app::Session::Open(options);
    if (!session) return fail(session.error(), session.error());
    // Paths are built from the program folder; the current folder follows it
    // for whatever names a file relative to it.
    std::error_code ignored;
    std::filesystem::current_path(session->ProgramFolder(), ignored);

    auto jvLink = source->Create();
    if (!jvLink) return Error{jvLink.error()};
    MainWindowOptions windowOptions{std::make_unique<app::Session>(std::move(*session)),
                                    std::move(*jvLink), setup.messages, setup.dialogs,
                                    options.clock};
    return std::make_unique<MainWindow>(std::move(windowOptions));
}

int RunProgram(int argc, char* argv[]) {
    // Answered before Qt starts, so that they need no display (a package
    // build, a terminal without X, Wine without a desktop).
    if (auto answer = ConsoleOnlyAnswer(argc, argv)) {
        AttachParentConsole();
        std::fputs(answer->c_str(), stdout);
        std::fflush(stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(FromUtf8(env::kApplicationTitle));
    // Qt's own texts (standard buttons, the file dialog) in Japanese, from
    // Qt's translations (beside the program in the Windows zip).
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    std::vector<std::string> args;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(ToUtf8(arguments[i]));
    auto line = ParseCommandLine(args);
    if (!line) {
        std::fprintf(stderr, "quindle: %s\n%s", line.error().c_str(), CommandLineUsage().c_str());
        return 2;
    }

    StderrMessageSink stderrMessages;
    ProgramSetup setup;
    setup.commandLine = std::move(*line);
    if (setup.commandLine.messagesToStderr) setup.messages = &stderrMessages;
    auto window = StartProgram(setup);
    if (!window) {
        std::fprintf(stderr, "quindle: %s\n", window.error().c_str());
        return 1;
    }
    MainWindow& main = **window;
    main.show();
    const CommandLine& start = setup.commandLine;
    const StartView view{start.day,    start.race, start.tab,     start.search,
                         start.runner, start.open, start.analysis};
    if (!view.Empty()) {
        // After the window's own first-show work, which is queued by show().
        QTimer::singleShot(0, &main, [&main, view] {
            if (Status shown = main.ShowStartView(view); !shown) {
                std::fprintf(stderr, "quindle: %s\n", shown.error().c_str());
            }
        });
    }
    return QApplication::exec();
}

}  // namespace quindle::gui
