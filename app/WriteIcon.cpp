// Writes the program's icon as a PNG for the desktop entry: quillmora-icon <file> <side>.
#include <QString>

#include "ui/qt/Pictures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const int side = QString::fromLocal8Bit(argv[2]).toInt();
    return quillmora::programIconImage(side).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
