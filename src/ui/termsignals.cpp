#include "ui/termsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tly::ui {

namespace {

// The handler may only do async-signal-safe work: it writes one byte, and the event
// loop, woken by the other end, does the rest.
int wakeFds[2] = {-1, -1};

void onSignal(int) {
  const char c = 1;
  ssize_t n = ::write(wakeFds[0], &c, 1);
  (void)n;
}

}  // namespace

void quitOnTerminationSignals(QCoreApplication& app) {
  if (wakeFds[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, wakeFds) != 0) return;
  auto* notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
    char c = 0;
    ssize_t n = ::read(wakeFds[1], &c, 1);
    (void)n;
    app.quit();
  });
  struct sigaction sa = {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGHUP, SIGINT}) sigaction(s, &sa, nullptr);
}

}  // namespace tly::ui
