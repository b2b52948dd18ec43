#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

class QGuiApplication;

namespace korvelant {

// Where Qt paints: on the platform the user named in QT_QPA_PLATFORM, if any, else offscreen;
// or offscreen whatever the environment says, for a library inside another program, which a
// platform that cannot start (a display named but absent) would end.
enum class PaintingPlatform { kUsersChoice, kOffscreen };

// Where what Qt calls critical goes while an application of our own paints; its notes about
// its surroundings ("XDG_RUNTIME_DIR not set") are dropped, as they mean nothing to the user.
using QtProblems = void (*)(std::string_view message);

// Qt paints text only with an application: one of its own for a caller without any (a script
// on a server draws too, with no display), none for a caller that has one (the window, a
// test), whose messages stay as the caller has them.
std::unique_ptr<QGuiApplication> StartPainting(PaintingPlatform platform, QtProblems problems);

// Qt's application sets the C library's locale from the environment. A program that draws
// from inside another (a Python interpreter) gets its own locale back when the application
// ends, so its numbers keep their "." whatever the user's language.
class KeptLocale {
 public:
  KeptLocale();
  ~KeptLocale();
  KeptLocale(const KeptLocale&) = delete;
  KeptLocale& operator=(const KeptLocale&) = delete;

 private:
  std::string locale_;
};

// One application paints at a time: callers on several threads (a Python program) wait.
std::mutex& PaintingTurn();

}  // namespace korvelant
