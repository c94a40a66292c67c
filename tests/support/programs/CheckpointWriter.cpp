// rovana-checkpoint-writer <settings file>: the odometer's checkpoints at full speed, for
// the test that kills them at random moments. Each line "drive <km>" on standard input
// starts a child that drives on from km and saves the settings at every kilometre, as the
// window does; once the child's first save is on the disk its process id goes to standard
// output, and once it has ended, "ended <signal>". The end of the input ends the program.
// Forking here, in a small process, keeps each round short.
#include "app/OdometerCheckpoints.h"
#include "core/IniFile.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// An interval that is always over: every kilometre is a checkpoint.
class NoWait : public IntervalTimer {
public:
    void setHandler(Handler) override {}
    void start(int) override {}
    void stop() override {}
    bool isActive() const override { return false; }
    int interval() const override { return 0; }
};

[[noreturn]] void drive(const QString &path, double km, int firstSaved)
{
    bool told = false;
    OdometerCheckpoints checkpoints(km, std::make_unique<NoWait>(), [&] {
        IniFile ini = IniFile::load(path);
        ini.writeInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), qint32(km));
        ini.save(path);
        if (!told) {
            told = true;
            [[maybe_unused]] const ssize_t n = ::write(firstSaved, "s", 1);
            ::close(firstSaved);
        }
    });
    for (;;) {
        km += 1.0;
        checkpoints.odometerMoved();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    // What the libraries set up on first use is set up once, here, not in every child.
    IniFile warm = IniFile::load(path);
    warm.writeInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), 0);
    (void)warm.toBytes();
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        long km = 0;
        if (std::sscanf(line, "drive %ld", &km) != 1)
            return 2;
        int saved[2];
        if (::pipe2(saved, O_CLOEXEC) != 0)
            return 1;
        const pid_t child = ::fork();
        if (child < 0)
            return 1;
        if (child == 0) {
            ::close(saved[0]);
            drive(path, double(km), saved[1]);
        }
        ::close(saved[1]);
        char byte = 0;
        const bool started = ::read(saved[0], &byte, 1) == 1;
        ::close(saved[0]);
        std::printf("%d\n", started ? int(child) : -1);
        std::fflush(stdout);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::printf("ended %d\n", WIFSIGNALED(status) ? WTERMSIG(status) : -1);
        std::fflush(stdout);
    }
    return 0;
}
