#pragma once
#include <string>

// Root of every class whose class name the program asks for at run time
// (text binding by class, logging of unknown components).
class TObject {
public:
    virtual ~TObject() = default;
    virtual std::string ClassName() const { return "TObject"; }
};
