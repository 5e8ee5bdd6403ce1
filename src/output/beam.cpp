#include "output/beam.h"

#include "output/ClassTTurnier.h"
#include "output/OutputNotice.h"

void sendBeamerGruppe(TTurnier& link, int groupRow, bool) {
    link.RecordGroup(groupRow);
    NoticeOnce("Dieses Programm hat keine Verbindung zu einem Beamer-Programm: die Gruppen werden nicht angezeigt.");
}
