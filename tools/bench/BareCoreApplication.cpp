// The yardstick of the command line's figure in the benchmark: a program that makes a
// QCoreApplication, prints one line and ends, as a command does around its work.

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    QTextStream(stdout) << "done\n";
    return 0;
}
