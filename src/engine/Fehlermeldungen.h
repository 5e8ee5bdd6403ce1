#pragma once

class TMainForm;

// The clash report in RichEdit1: two games on one field at the same time, and a participant
// who plays or referees two games at the same time. Two games of one day clash when each starts
// before the other ends. Changes no table.
void doFehlermeldungen(TMainForm& form);
