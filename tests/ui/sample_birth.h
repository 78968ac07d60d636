// SPDX-License-Identifier: GPL-3.0-or-later
// The birth the window tests compute: New Delhi, 5 June 1980, 09:05:30,
// Indian Time, as a user fills the entry window.
#pragma once

#include "pipeline/entry.h"

namespace korvanta::testing {

inline EntryForm NewDelhiForm() {
    EntryForm f;
    f.txtName = "ASHA RAO";
    f.cboMonth = 5;
    f.cboDate = 4;
    f.cboYear = 1980 - kFirstYear;
    f.cboHH = 9;
    f.cboMM = 5;
    f.cboSS = 30;
    f.txtLonD = "77", f.txtLonM = "12", f.optLongEast = true;
    f.txtLatD = "28", f.txtLatM = "36", f.optLatSouth = false;
    f.cmbTimeZone = 34;
    f.txtMCity = "New Delhi", f.txtMState = "Delhi", f.txtMCountry = "India";
    return f;
}

}  // namespace korvanta::testing
