// Our spreadsheet server as the automation layer's registry knows it: the
// program id "Excel.Application", a class id of its own, and a factory that
// starts a new server (an Application object with no workbook open).
//
// Register() must run before the first client starts the server (the save
// looks up "Excel.Application" when its wrapper is created); calling it
// again replaces the entry with an equal one.
#pragma once

#include <string_view>

#include "platform/Uuid.h"
#include "platform/automation/IDispatch.h"

class CXlsApplicationServer {
public:
    static constexpr std::u16string_view kProgramId = u"Excel.Application";

    static const Uuid& ClassId();
    // A new Application holding one reference for the caller; null when
    // memory runs out. Never throws.
    static IDispatch* CreateInstance();
    static void Register();
};
