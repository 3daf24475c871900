#pragma once
// The browser and mail state of an exercise: captured before, restored after.
// Restores the browser's favourites and proxy at exit.
void KelTamry_IE_Restore();
