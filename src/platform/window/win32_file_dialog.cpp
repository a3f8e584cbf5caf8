// The open and save dialogs, through the desktop's file chooser: zenity runs
// as a child process and prints the chosen path. A system without it, or a
// chooser that fails, answers as a cancel would; CommDlgExtendedError tells a
// chooser that could not be started from a cancel.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/window/win32.h"
#include "platform/window/win32_testing.h"

extern char** environ;

namespace {
using platform::testing::FileDialogRequest;

// A filter list longer than this is taken as unterminated and cut here.
constexpr size_t kMaxFilterBytes = 4096;
// More output than any path the caller could hold is no answer.
constexpr size_t kMaxChooserOutput = 65536;

// The reason the last dialog failed, for CommDlgExtendedError.
DWORD g_dialogError = 0;

std::function<bool(const FileDialogRequest&, std::string&)>& Answerer() {
  static std::function<bool(const FileDialogRequest&, std::string&)> answerer;
  return answerer;
}

// The (name, patterns) pairs of a double-zero-terminated filter list.
std::vector<std::pair<std::string, std::string>> ParseFilters(LPCSTR list) {
  std::vector<std::pair<std::string, std::string>> filters;
  if (!list) return filters;
  std::vector<std::string> texts;
  size_t at = 0;
  while (at < kMaxFilterBytes && list[at] != '\0') {
    const size_t length = strnlen(list + at, kMaxFilterBytes - at);
    texts.emplace_back(list + at, length);
    at += length + 1;
  }
  for (size_t i = 0; i + 1 < texts.size(); i += 2) filters.emplace_back(texts[i], texts[i + 1]);
  return filters;
}

// "*.txt;*.lua" as the chooser's space-separated globs; "*.*" means every
// file, names without a dot too.
std::string ChooserPatterns(const std::string& patterns) {
  std::string globs;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string glob = patterns.substr(start, end - start);
    if (glob == "*.*") glob = "*";
    if (!glob.empty()) globs += (globs.empty() ? "" : " ") + glob;
    start = end + 1;
  }
  return globs;
}

std::vector<std::string> ChooserArguments(const FileDialogRequest& request) {
  std::vector<std::string> args = {"zenity", "--file-selection", "--title=" + request.title};
  if (request.save) args.push_back("--save");
  if (request.save && (request.flags & OFN_OVERWRITEPROMPT)) args.push_back("--confirm-overwrite");
  if (!request.initialFolder.empty()) {
    char folder[PATH_MAX];
    if (realpath(request.initialFolder.c_str(), folder)) args.push_back(std::string("--filename=") + folder + "/");
  }
  for (const auto& filter : request.filters)
    args.push_back("--file-filter=" + filter.first + " | " + ChooserPatterns(filter.second));
  return args;
}

// Runs the chooser; true with the path it printed when the user chose one.
bool RunChooser(const FileDialogRequest& request, std::string& path) {
  std::vector<std::string> args = ChooserArguments(request);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    g_dialogError = CDERR_INITIALIZATION;
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  const int spawned = posix_spawnp(&child, "zenity", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    g_dialogError = CDERR_INITIALIZATION;
    return false;
  }

  std::string printed;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(out[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    if (printed.size() < kMaxChooserOutput) printed.append(buffer, static_cast<size_t>(got));
  }
  close(out[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || printed.size() >= kMaxChooserOutput) return false;
  while (!printed.empty() && (printed.back() == '\n' || printed.back() == '\r')) printed.pop_back();
  path = printed;
  return !path.empty();
}

// Copies the text with its terminator when it fits.
bool CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (!buffer || text.size() >= size) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

BOOL ShowFileDialog(OPENFILENAMEA* dialog, bool save) {
  g_dialogError = 0;
  if (!dialog || dialog->lStructSize != sizeof(OPENFILENAMEA) || !dialog->lpstrFile || dialog->nMaxFile == 0)
    return FALSE;
  FileDialogRequest request;
  request.save = save;
  request.owner = dialog->hwndOwner;
  request.title = dialog->lpstrTitle ? dialog->lpstrTitle : (save ? "Save As" : "Open");
  request.initialFolder = dialog->lpstrInitialDir ? dialog->lpstrInitialDir : "";
  request.filters = ParseFilters(dialog->lpstrFilter);
  request.flags = dialog->Flags;

  std::string path;
  const bool chosen = Answerer() ? Answerer()(request, path) : RunChooser(request, path);
  if (!chosen || !CopyOut(path, dialog->lpstrFile, dialog->nMaxFile)) {
    dialog->lpstrFile[0] = '\0';
    return FALSE;
  }
  if (dialog->lpstrFileTitle && dialog->nMaxFileTitle > 0) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!CopyOut(name, dialog->lpstrFileTitle, dialog->nMaxFileTitle)) dialog->lpstrFileTitle[0] = '\0';
  }
  return TRUE;
}
}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) { return ShowFileDialog(dialog, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* dialog) { return ShowFileDialog(dialog, true); }
DWORD CommDlgExtendedError() { return g_dialogError; }

namespace platform::testing {
void SetFileDialogAnswerer(std::function<bool(const FileDialogRequest& request, std::string& path)> answerer) {
  Answerer() = std::move(answerer);
}
}  // namespace platform::testing
