#pragma once

// The print engine, as far as the tournament sets it before automatic printing.
class TfrmDruck {
public:
    // One item per page.
    bool EigeneSeite = false;
};
