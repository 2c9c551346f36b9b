// The baseline of the command line's start-up: a bare Qt Core program that
// prints one line.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::puts("velkarinth");
    return 0;
}
