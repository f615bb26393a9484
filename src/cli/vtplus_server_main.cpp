// portfolaris-vtplus FOLDER [--socket PATH]: serves the teletext pages of FOLDER to
// Portfolaris until it is interrupted (SIGINT, SIGTERM); then it removes its socket.

#include <csignal>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "platform/socket_dde_client.h"
#include "platform/vtplus_standin_server.h"

namespace {

constexpr std::string_view kUsage =
    "Aufruf: portfolaris-vtplus ORDNER [--socket PFAD]\n"
    "Stellt die Videotextseiten aus ORDNER für \"Kurse aus VTPlus\" bereit, bis das\n"
    "Programm mit Strg+C oder SIGTERM beendet wird:\n"
    "  P.txt     Seite P, Unterseite 1 (eine Zeile je Videotextzeile, 40 Spalten,\n"
    "            Windows-1252)\n"
    "  P-N.txt   Seite P, Unterseite N (1 bis 99)\n"
    "  P.status  Antwort auf \"Status\" (ohne die Datei: \"Ready\")\n"
    "Die Dateien werden bei jeder Anfrage neu gelesen. Ohne --socket wird der Socket\n"
    "verwendet, den auch portfolaris-cli vtplus-quotes ohne --socket anspricht.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string folder;
    std::string socketPath = pf::DefaultVtplusSocketPath();
    bool haveFolder = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (word == "--socket" && i + 1 < argc) {
            socketPath = argv[++i];
        } else if (!haveFolder && !word.starts_with("--")) {
            folder = argv[i];
            haveFolder = true;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (!haveFolder) {
        std::cerr << kUsage;
        return 2;
    }

    // The signals are taken by sigwait below; blocked before the server's threads start so
    // that none of them is interrupted instead.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::string error;
    const std::unique_ptr<pf::VtplusStandinServer> server =
        pf::VtplusStandinServer::Start(folder, socketPath, error);
    if (!server) {
        std::cerr << error << "\n";
        return 1;
    }
    std::cout << "Bereit: " << server->SocketPath() << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server->Stop();
    return 0;
}
