# e2e-screen: 1920x1080
# e2e-dpi: 192
# e2e-seconds: 240
# At 200 % on a 1920 x 1080 screen: the main window, doubled to 1922 pixels,
# is cut to the screen's 1920 and shows the 200 % pictures (122 x 110 in
# 136 x 116 buttons) above the status bar, "ﾚﾃﾞｨ" and the clock whole; every
# dialog (the video adjustment dialog in its narrow layout) opens inside the
# work area with its controls inside its client area, and is photographed.
source "$E2E_ROOT/tests/e2e/dialogs_at_scale.sh"
main_and_every_dialog_at_scale "window 1920 282 client 1914 202 buttons 136 116 "*
