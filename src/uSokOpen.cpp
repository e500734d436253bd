// Opening a hit: MemoResultDblClick.
#include "uSok.h"

void TForm1::MemoResultDblClick(QObject*) {}
