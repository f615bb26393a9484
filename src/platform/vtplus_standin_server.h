#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pf {

// A stand-in for the teletext program: serves pages stored as text files over the line
// protocol of docs/vtplus-protocol.md, for tests and for users who bridge a teletext
// decoder of their own.
//
// The folder holds
//   P.txt     page (topic) P, subpage 1;
//   P-N.txt   page P, subpage N (1 to 99; for subpage 1 it wins over P.txt);
//   P.status  the answer to "Status" of page P (trailing blanks and line breaks removed);
//             without it a page answers "Ready".
// A page exists while any of its files does. Page files are Windows-1252 text, one teletext
// row a line ("\n" or "\r\n"); every row is served cut or padded with blanks to 40 columns.
// Files are read at each request, so they may change while the server runs.
class VtplusStandinServer {
  public:
    static constexpr int kColumns = 40;
    static constexpr int kMaxSubpage = 99;
    static constexpr int kMaxRow = 99;

    // Listens at `socketPath`. A leftover socket file that nobody answers on is replaced;
    // another file there, or a server that still answers, is left alone and the start
    // fails. Nothing returned, with `error` set (German, one line), when it cannot start.
    static std::unique_ptr<VtplusStandinServer> Start(std::string folder, std::string socketPath,
                                                      std::string& error);
    // Stops as Stop() does.
    ~VtplusStandinServer();
    VtplusStandinServer(const VtplusStandinServer&) = delete;
    VtplusStandinServer& operator=(const VtplusStandinServer&) = delete;

    // Stops listening, hangs up every conversation, waits for them and removes the socket
    // file. Safe to call more than once.
    void Stop();
    const std::string& SocketPath() const;

    // What the server answers, without the socket (nothing = "ERROR"):
    //   topic "System" (letter case ignored): item "Topics" = "System" and every page name,
    //     sorted, separated by tabs;
    //   a page: "Status"; "S,S" = the whole subpage S, its rows joined by "\r\n"; and
    //     "S,S,,,B(c1/r1/c2/r2)" = the box from column c1 to c2 and row r1 to r2 (0-based,
    //     inclusive, c2 <= 39, r2 <= kMaxRow), its rows joined by "\r\n"; rows below the
    //     page's last one are blank. A subpage without a file answers "". Item names ignore
    //     letter case. Only the first S names the subpage.
    static std::optional<std::string> Answer(const std::string& folder, std::string_view topic,
                                             std::string_view item);
    // Whether `topic` is "System" or a page of the folder. Names that would leave the
    // folder ("/", a leading ".") or are empty are no pages.
    static bool HasTopic(const std::string& folder, std::string_view topic);
    static std::vector<std::string> Pages(const std::string& folder);

  private:
    struct State;
    explicit VtplusStandinServer(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace pf
