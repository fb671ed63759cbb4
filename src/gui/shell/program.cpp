#include "shell/program.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <system_error>

#include "app/jvlink_start.h"
#include "app/program_folder.h"
#include "app/startup.h"
#include "app/version.h"
#include "common/message_sink.h"
#include "common/qt_text.h"
#include "mainwindow/MainWindow.h"
#include "shell/jvlink_factory.h"

namespace quindle::gui {

Result<std::unique_ptr<MainWindow>> StartProgram(const ProgramSetup& setup) {
    MessageSink& messages = SinkOrDefault(setup.messages);
    const auto sources = app::ProgramFolderSources::FromEnvironment(setup.commandLine.home);
    // A start that cannot go on is told to the user, who may have no console.
    auto fail = [&messages](const std::string& text, const std::string& reason) {
        messages.Inform(FromUtf8(text), Beep::Yes);
        return Error{reason};
    };
    auto folder = app::ChooseProgramFolder(sources);
    if (!folder) return fail(folder.error(), folder.error());

    // The substitute cannot be made without its settings: JV-Link is absent.
    auto substitute = SubstituteSettings(*folder, setup.commandLine);
    if (!substitute) {
        return fail(std::string(app::kJvLinkAbsentMessage), "JV-Link: " + substitute.error());
    }
    const SubstituteJvLinkFactory factory(std::move(*substitute));
    if (Status present = TestJvLinkPresence(factory); !present) {
        return fail(std::string(app::kJvLinkAbsentMessage), "JV-Link: " + present.error());
    }

    auto state = app::RunStartup({sources, setup.registry, setup.clock});
    if (!state) return fail(state.error(), state.error());
    // Paths are built from the program folder; the current folder follows it
    // for whatever names a file relative to it.
    std::error_code ignored;
    std::filesystem::current_path(state->programFolder, ignored);

    auto jvLink = factory.Create();
    if (!jvLink) return Error{jvLink.error()};
    MainWindowOptions options{std::move(*state), std::move(*jvLink), setup.messages, setup.clock};
    return std::make_unique<MainWindow>(std::move(options));
}

int RunProgram(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(FromUtf8(app::kApplicationTitle));

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
    const StartView view{start.day, start.race, start.tab, start.search, start.runner};
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
