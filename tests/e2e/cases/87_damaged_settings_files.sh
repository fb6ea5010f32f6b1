# Damaged settings files are opened without a message and without harm: the
# words that fit their fields are loaded, every other field keeps the value
# it had, and Save As writes exactly that. A file cut off inside a title,
# one with binary words among the values, a file of random bytes, and one
# with the extreme values of a 32-bit field everywhere; every settings
# dialog then opens and closes, and opening them changes nothing. A valid
# file followed by gigabytes of zeros is read from its start, at once.
start_sim
start_program
work=$CASE_DIR/work
py=$E2E_ROOT/tests/e2e/settings_file.py

# before.dat: the document open before each damaged one; damaged files are
# made from site.dat, which differs from it in the fields looked at below.
python3 "$py" write "$work/before.dat" alarm.mode=1 alarm.holdTimeText=045 \
  'videoLoss.detect[4]=0' 'title.text[0]=前のタイトル　　　　' 'title.text[4]=前のカメラ５　　　　' \
  'title.text[9]=前のカメラ１０　　　' 'videoAdjust.brightness[0]=5' 'videoAdjust.hue[3]=200' \
  'agc.on[2]=0' 'splitLayout.nineA[0]=8' 'splitLayout.nineA[8]=0' other.borderLine=1 \
  other.ntscAspect=1
python3 "$py" write "$work/site.dat" alarm.inputPolarity=1 alarm.holdTimeText=120 \
  'title.text[1]=入口　　　　　　　　' 'title.text[4]=第２会議室　　　　　' \
  'videoAdjust.brightness[0]=100' 'videoAdjust.contrast[1]=3' 'autoSwitch.dwellTime[7]=60'

python3 - "$py" "$work" <<'PY'
import os, random, sys
sys.path.insert(0, os.path.dirname(sys.argv[1]))
import settings_file
work = sys.argv[2]
names = settings_file.field_names()
at = names.index

def lines(name):
    data = open(os.path.join(work, name), 'rb').read().split(b'\r\n')
    assert data[-1] == b'' and len(data) == 283
    return data[:-1]

def write(name, values, tail=b''):
    open(os.path.join(work, name), 'wb').write(b''.join(v + b'\r\n' for v in values) + tail)

before, site = lines('before.dat'), lines('site.dat')

# Cut seven bytes into the title of channel 5: three and a half characters.
cut = at('title.text[4]')
raw = open(os.path.join(work, 'site.dat'), 'rb').read()
offset = len(b''.join(v + b'\r\n' for v in site[:cut])) + 7
open(os.path.join(work, 'truncated.dat'), 'wb').write(raw[:offset])
write('expect-truncated.dat', site[:cut] + [site[cut][:7]] + before[cut + 1:])

# Binary words among the values, opened after the cut file: refused ones
# keep the value the cut file left, the ones that fit are taken as they
# stand (a title takes any 20 bytes).
before = lines('expect-truncated.dat')
junk = list(site)
refused = {
    'alarm.mode': b'\x00\x01\x02\xff',
    'alarm.holdTimeText': b'\x89\xbd\x8e\x9e\x8a\xd4',
    'videoLoss.detect[4]': b'1\x00',
    'title.text[0]': b'\x88\x9f' * 12,
    'videoAdjust.brightness[0]': b'\x7fELF',
    'videoAdjust.hue[3]': b'99999999999',
    'agc.on[2]': b'\xef\xbb\xbf1',
    'other.ntscAspect': b'\x1b[0m',
}
taken = {
    'title.text[9]': b'\xff\x80\xfe\x41\x7f\x81\x01\x99',
    'splitLayout.nineA[0]': b'-5',
    'other.borderLine': b'+3',
}
expect = list(site)
for name, word in refused.items():
    junk[at(name)] = word
    expect[at(name)] = before[at(name)]
for name, word in taken.items():
    junk[at(name)] = word
    expect[at(name)] = word.lstrip(b'+')
write('junk.dat', junk, tail=bytes(range(0x21, 0x7f)) + b'\x00' * 64 + b'\xff\xfe')
write('expect-junk.dat', expect)

# A settings file followed by three gigabytes of zeros (a file picked by
# mistake may be a video ".dat" of that size); sparse, so it costs no disk.
open(os.path.join(work, 'huge.dat'), 'wb').write(raw)
os.truncate(os.path.join(work, 'huge.dat'), 3 << 30)

# Random bytes.
rng = random.Random(9)
open(os.path.join(work, 'random.dat'), 'wb').write(bytes(rng.randrange(256) for _ in range(6000)))

# The extremes of a 32-bit field in every number, odd-length and unmapped
# bytes in the titles, the longest hold time.
extreme = list(site)
for i, name in enumerate(names):
    if name.startswith('title.text['):
        extreme[i] = [b'\x81', b'\xfc\xfc' * 10, b'\x82\xa0\xeb\x40\xa0', b'\x7f'][i % 4]
    elif name == 'alarm.holdTimeText':
        extreme[i] = b'999'
    else:
        extreme[i] = [b'-2147483648', b'2147483647', b'-1', b'16'][i % 4]
write('extreme.dat', extreme)
PY

same_file() {
  wait_for_file "$work/$2"
  cmp "$work/$1" "$work/$2" || {
    python3 "$py" diff "$work/$1" "$work/$2" >&2 || true
    fail "$2 differs from $1"
  }
}
TI="タイトルの設定"
JIS="ＪＩＳ第１水準,第２水準以外の字が選択されてます"

program_up

# The file that ends inside a title, opened over another one. Its cut title
# is then shown in the title dialog: looking changes nothing, Save writes
# the same file again, and its "設定" is refused.
open_file before.dat
open_file truncated.dat
save_as saved-truncated
same_file expect-truncated.dat saved-truncated.dat
rm "$work/saved-truncated.dat"
open_dialog "$IDM_TITLE" "$TI" choose "$IDC_TITLE_CHANNEL" 4 close gone 3000 no-box 300 \
  menu "$IDM_FILE_SAVE" no-dialog "$SAVE_AS_CAPTION" 500 no-box 300
same_file expect-truncated.dat saved-truncated.dat
# Its "設定" sends nothing of the half character.
open_dialog "$IDM_TITLE" "$TI" choose "$IDC_TITLE_CHANNEL" 4 click "$IDC_TITLE_SET" \
  box "$JIS" "Error" 5000 click "$IDOK" no-box 500 dialog "$TI" 1000 close gone 3000

# Binary words among the values; the binary title in the title dialog.
open_file junk.dat
save_as saved-junk
open_dialog "$IDM_TITLE" "$TI" choose "$IDC_TITLE_CHANNEL" 9
shot binary-title main 1000 dialog "$TI" 1000
in_dialog "$TI" close gone 3000 no-box 300
same_file expect-junk.dat saved-junk.dat

# The huge file: its values are read from its start at once, no message.
open_file huge.dat
save_as saved-huge
rm -f "$work/huge.dat"
same_file site.dat saved-huge.dat

# Random bytes: no message, a complete settings file can still be saved.
open_file random.dat
save_as saved-random
wait_for_file "$work/saved-random.dat"
expect_eq "lines saved after random bytes" "$(wc -l <"$work/saved-random.dat")" 282
expect_eq "CR LF line ends" "$(grep -c $'\r$' "$work/saved-random.dat")" 282

# Extreme values: every settings dialog opens and closes, painted ones
# included; the file saved afterwards is the file opened.
open_file extreme.dat
steps=()
for command in IDM_ALARM IDM_VIDEO_LOSS IDM_DATE_TIME IDM_TITLE IDM_TITLE_DISPLAY IDM_FONT_SIZE \
  IDM_AUTO_SWITCH IDM_AGC IDM_VIDEO_FORMAT IDM_TITLE_POSITION IDM_SPLIT_LAYOUT IDM_SCREEN_SWITCH \
  IDM_OTHER IDM_SEND_ALL IDM_READ_ALL; do
  steps+=(menu "${!command}" dialog "" 5000 close gone 3000 no-box 100 alive)
done
drv main 1000 "${steps[@]}" menu "$IDM_VIDEO_ADJUST" dialog "" 5000
shot extreme-video-adjust main 1000 dialog "" 1000
in_dialog "" close gone 3000 no-box 200 alive
save_as saved-extreme
same_file extreme.dat saved-extreme.dat

# Nothing was sent by opening files and dialogs; the program ends normally.
expect_frames </dev/null
exit_unchanged
