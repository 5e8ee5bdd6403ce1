#pragma once

class TTurnier;

// Sends the display record of the group in this Gruppe row to the projector link. The program
// has no projector display: the call is recorded, and the first one of a run tells the user so.
void sendBeamerGruppe(TTurnier& link, int groupRow, bool refresh);
