// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zentora {

class MainWindow;

// Lets a test drive the real program through its environment; without these variables nothing changes.
//   ZENTORA_TEST_ANSWERS  answers the program's questions in this order ("Ja Nein Abbrechen"), without a
//                         box; each question and its answer go to the standard output. When the list runs
//                         out, "Abbrechen" (which keeps everything).
//   ZENTORA_TEST_SPINS    numbers entered as clicks on their fields once the window shows ("5 17 0"); then
//                         "Eingegeben: <count>" goes to the standard output.
//   ZENTORA_TEST_QUIT     closes the window once it shows (after the spins), so a test sees a whole run.
//   ZENTORA_TEST_RISK     "runs spins seed bankroll": opens the risk analysis over the whole screen and runs
//                         it with random permanences (for the screenshot of the window).
void FollowTestScript(MainWindow& form);

}  // namespace zentora
