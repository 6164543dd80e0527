#pragma once

// The two invisible click areas: `ura` cycles the hidden operating mode, `sic` is the title
// screen's sound switch.
void ura_Click();
void sic_Click();
