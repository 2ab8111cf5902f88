#!/usr/bin/env bash
# Draws the pictures in res/ with ImageMagick: the welcome picture home.bmp,
# the program icon, the connected / not connected status icons and the
# toolbar buttons. The results are committed; run this again only to change
# them. Needs `convert` (imagemagick), python3, the DejaVu fonts and WenQuanYi
# Zen Hei.
set -euo pipefail
cd "$(dirname "$0")/../res"

font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
# The Chinese words of the second welcome picture (Debian: fonts-wqy-zenhei).
cjk=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc

# Polyline points of a believable flight: throttle steps, a current that
# follows it with spikes, a voltage that sags under load.
curves=$(python3 - <<'PY'
import math
W, X0, Y0, H = 290, 450, 80, 170
def series(f):
    pts = [f"{X0 + x},{Y0 + H - f(x / W) * H:.1f}" for x in range(0, W + 1, 3)]
    # Drawn as separate segments: an open polyline still gets its closing edge stroked.
    return " ".join(f"line {a} {b}" for a, b in zip(pts, pts[1:]))
def throttle(t):
    return 0.15 + 0.55 * (0.5 + 0.5 * math.sin(t * 9.0)) * (0.6 + 0.4 * math.sin(t * 2.3))
def current(t):
    spike = 0.18 if int(t * 40) % 9 == 0 else 0.0
    return min(0.95, throttle(t) * 0.9 + spike)
def voltage(t):
    return 0.88 - 0.12 * t - 0.25 * throttle(t) * 0.6
print(f"{series(voltage)}|{series(current)}|{series(throttle)}")
PY
)
volt=${curves%%|*}
rest=${curves#*|}
curr=${rest%%|*}
thr=${rest#*|}

# Welcome picture: 760 x 320, drawn 1:1 on the welcome page; once with
# English words (home.bmp) and once with Chinese ones (home_zh_CN.bmp, shown
# while the window speaks Chinese). Arguments: file, font of the words, the
# line under the name, the four steps and the three curve names.
welcome() {
    local out=$1 words=$2
    convert -size 760x320 gradient:'#0b2540'-'#1f6f8b' \
        \( -size 760x320 radial-gradient:'#ffffff30'-'#ffffff00' \) -compose over -composite \
        -fill none -stroke '#ffffff22' -strokewidth 1 \
        -draw "line 450,80 740,80" -draw "line 450,122 740,122" -draw "line 450,165 740,165" \
        -draw "line 450,207 740,207" -draw "line 450,250 740,250" \
        -draw "line 450,80 450,250" -draw "line 547,80 547,250" -draw "line 643,80 643,250" \
        -draw "line 740,80 740,250" \
        -fill none -stroke '#ffd166' -strokewidth 3 -draw "$volt" \
        -stroke '#ef476f' -strokewidth 2 -draw "$curr" \
        -stroke '#06d6a0' -strokewidth 2 -draw "$thr" \
        -stroke none -fill '#ffffff' -font "$bold" -pointsize 64 -annotate +40+130 'Tavix' \
        -fill '#cfe8f3' -font "$words" -pointsize 19 -annotate +42+168 "$3" \
        -fill '#9cc7d9' -pointsize 14 \
        -annotate +42+222 "1  $4" \
        -annotate +42+246 "2  $5" \
        -annotate +42+270 "3  $6" \
        -annotate +42+294 "4  $7" \
        -fill '#ffd166' -draw "rectangle 458,276 470,282" -fill '#cfe8f3' -annotate +476+284 "$8" \
        -fill '#ef476f' -draw "rectangle 550,276 562,282" -fill '#cfe8f3' -annotate +568+284 "$9" \
        -fill '#06d6a0' -draw "rectangle 642,276 654,282" -fill '#cfe8f3' -annotate +660+284 "${10}" \
        -type TrueColor BMP3:"$out"
}
welcome home.bmp "$font" 'ESC programming and flight data logger' \
    'Set the COM port and open the device' 'Program the ESC or configure the logger' \
    'Upload flights and study them as curves' 'Keep the ESC firmware up to date' \
    'Voltage' 'Current' 'Throttle'
welcome home_zh_CN.bmp "$cjk" '电调编程与飞行数据记录仪' \
    '设置串口并打开设备' '设置电调参数或配置记录仪' \
    '上传飞行记录并以曲线查看' '保持电调固件为最新版本' \
    '电压' '电流' '油门'

# Program icon, 64 x 64: an ESC board with its three motor leads and a curve.
convert -size 64x64 xc:none \
    -fill '#0b2540' -draw "roundrectangle 2,2 61,61 12,12" \
    -fill '#1f6f8b' -draw "roundrectangle 10,14 44,50 4,4" \
    -fill '#cfe8f3' -draw "rectangle 16,22 26,32" -draw "rectangle 30,22 38,32" \
    -stroke '#ef476f' -strokewidth 3 -draw "line 44,22 58,22" \
    -stroke '#222222' -draw "line 44,32 58,32" \
    -stroke '#ffd166' -draw "line 44,42 58,42" \
    -stroke '#06d6a0' -strokewidth 3 -fill none -draw "polyline 12,46 20,40 26,44 32,36 40,40" \
    tavix.png

# Status icons, 32 x 32.
convert -size 32x32 xc:none \
    -fill '#9aa5ad' -stroke '#5f6b73' -strokewidth 1 -draw "circle 16,16 16,2" \
    -stroke '#ffffff' -strokewidth 3 -draw "line 10,10 22,22" -draw "line 22,10 10,22" \
    notconnected.png
convert -size 32x32 xc:none \
    -fill '#2fb36b' -stroke '#1d7a47' -strokewidth 1 -draw "circle 16,16 16,2" \
    -stroke '#ffffff' -strokewidth 3 -fill none -draw "polyline 9,17 14,22 23,10" \
    connected.png

# Toolbar buttons, 32 x 32 (shown at 16 x 16).
tb() { convert -size 32x32 xc:none "$@"; }
tb -fill white -stroke '#44505a' -strokewidth 2 -draw "polygon 7,3 20,3 26,9 26,29 7,29" \
   -fill '#d7dde2' -draw "polygon 20,3 20,9 26,9" tb_new.png
tb -fill '#f2c14e' -stroke '#9c7a22' -strokewidth 2 -draw "polygon 2,8 12,8 14,11 28,11 28,27 2,27" \
   -fill '#f7d77f' -draw "polygon 6,15 31,15 27,27 2,27" tb_open.png
tb -fill '#3c6e9e' -stroke '#24445f' -strokewidth 2 -draw "roundrectangle 3,3 28,28 3,3" \
   -fill white -stroke none -draw "rectangle 8,4 23,13" \
   -fill '#d7dde2' -draw "rectangle 9,19 22,28" tb_save.png
tb -fill none -stroke '#44505a' -strokewidth 2 -draw "circle 9,23 9,18" -draw "circle 23,23 23,18" \
   -stroke '#6b7780' -draw "line 12,19 23,3" -draw "line 20,19 9,3" tb_cut.png
tb -fill white -stroke '#44505a' -strokewidth 2 -draw "rectangle 3,3 18,21" \
   -draw "rectangle 12,10 28,28" tb_copy.png
tb -fill '#b88a4a' -stroke '#6e5128' -strokewidth 2 -draw "roundrectangle 4,5 24,29 2,2" \
   -fill '#d7dde2' -stroke '#44505a' -draw "rectangle 10,2 18,8" \
   -fill white -draw "rectangle 13,12 29,30" tb_paste.png
tb -fill white -stroke '#44505a' -strokewidth 2 -draw "rectangle 9,3 23,12" \
   -fill '#8d99a3' -draw "roundrectangle 3,11 29,24 2,2" \
   -fill white -draw "rectangle 9,19 23,29" tb_print.png
tb -fill '#3c6e9e' -stroke '#24445f' -strokewidth 1 -draw "circle 16,16 16,2" \
   -fill white -stroke none -font "$bold" -pointsize 22 -gravity center -annotate +1+1 '?' tb_about.png

echo "res: home.bmp, home_zh_CN.bmp, tavix.png, status and toolbar icons written"
