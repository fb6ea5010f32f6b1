# e2e-screen: 1366x768
# e2e-dpi: 144
# e2e-seconds: 180
# At 150 % on a 1366 x 768 laptop screen: the main window, scaled to 1442
# pixels, is cut to the screen's 1366 and shows the 150 % pictures (92 x 83,
# their buttons narrowed to fit the 14 in one row) above the status bar,
# "ﾚﾃﾞｨ" and the clock whole; every dialog (the video adjustment dialog in its
# narrow layout) opens inside the work area with its controls inside its
# client area, and is photographed.
source "$E2E_ROOT/tests/e2e/dialogs_at_scale.sh"
main_and_every_dialog_at_scale "window 1366 212 client 1360 150 buttons 97 89 "*
