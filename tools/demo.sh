# Sourced by tools/run and its test: the demo product that a run installs, made
# with the tools its formats come from (7-Zip, zip, gcab), and the two servers it
# comes from, both on 127.0.0.1.
#
#   demo_make SITE STAND_IN   the packages, icons, configuration files and the
#                             licence page under SITE/www, the folder to serve,
#                             from the trees in SITE/content; STAND_IN is the built
#                             stand-in program (service_stand_in.exe), which
#                             plays the product's service, starter, uninstaller
#                             and browser and writes down each run of it
#   demo_manifest SITE BASE   the manifest SITE/www/install/widgets_config.dexo,
#                             whose addresses begin with BASE (".../install/")
#   demo_devconfig DATA BASE  "devconfig.ini" in the data folder DATA: the
#                             manifest is BASE followed by "widgets_config.dexo"
#   report_start FOLDER       the report server; its control files go into
#                             FOLDER and each report into FOLDER/reports.jsonl;
#                             sets report_url to "http://127.0.0.1:PORT"
#   report_stop               ends it (safe to call when it did not start)
#
# The package server's layout is the product's own: the manifest and everything
# it names under "/install/", the licence terms at "/templates/protocol.html".
# The demo's modules, in the manifest's order (the engine sorts them by id):
#
#   id  module         package                  forced  special packages
#   1   Main           7z                       yes     mainresource (zip), and
#                                                       Browser (cab), Starter (7z)
#   2   WallPaper      zip                      yes     defaultpaper (7z)
#   4   TivalaBrowser  7z                       no
#   3   Rainmeter      cab                      no      defaultrainmeterskin (zip)
#   5   Weather        zip                      no
#   6   Clock          7z                       no
#
# The manifest writes some members in their other valid forms (an id, a flag
# and a size as JSON numbers, a size as text) and every text a person sees in
# Chinese.

demo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
demo_packages=(main starter browser wallpaper defaultpaper mainresource rainmeter rainmeterskin
    tivalabrowser weather clock)

# The folder tree of one package, made under CONTENT/NAME.
demo_content() {   # demo_content CONTENT STAND_IN
    local content=$1 stand_in
    stand_in=$(realpath "$2")
    rm -rf "$content" && mkdir -p "$content"
    (
        set -e
        cd "$content"
        mkdir -p main/Main/lang starter browser/Browser/locales wallpaper/WallPaper/shaders \
            defaultpaper/默认主题 mainresource/Resource/ui rainmeter/Rainmeter/Plugins \
            rainmeterskin/Skins/Clock tivalabrowser/TivalaBrowser weather/Weather/icons clock/Clock
        cp "$stand_in" main/Main/tivalaservice.exe
        cp "$stand_in" main/uninstall.exe
        printf 'Tivala 动态桌面 2.0.5.2\r\n' > main/Main/readme.txt
        printf '{"language":"zh-CN","title":"Tivala 动态桌面"}\n' > main/Main/lang/zh-CN.json
        cp "$stand_in" starter/Starter.exe
        head -c 300000 /dev/urandom > browser/Browser/browser.dat
        printf '[locale]\r\nname=zh-CN\r\n' > browser/Browser/locales/zh-CN.ini
        printf 'void main() { gl_FragColor = vec4(0.2, 0.4, 0.8, 1.0); }\n' > wallpaper/WallPaper/shaders/wave.frag
        head -c 120000 /dev/urandom > wallpaper/WallPaper/engine.dat
        printf 'name=默认主题\r\n' > defaultpaper/默认主题/theme.dexo
        demo_image 400x225 '#1d3557' '#a8dadc' defaultpaper/默认主题/preview.png
        demo_image 340x420 '#2b2d42' '#8d99ae' mainresource/Resource/ui/background.png
        printf '[ui]\r\nlanguage=zh-CN\r\n' > mainresource/Resource/lang.ini
        printf 'Rainmeter for Tivala\r\n' > rainmeter/Rainmeter/readme.txt
        head -c 80000 /dev/urandom > rainmeter/Rainmeter/Plugins/clock.dat
        printf '[Rainmeter]\r\nUpdate=1000\r\n[MeterTime]\r\nMeter=String\r\n' > rainmeterskin/Skins/Clock/Clock.ini
        cp "$stand_in" tivalabrowser/TivalaBrowser/TivalaBrowser.exe
        printf '[weather]\r\ncity=上海\r\n' > weather/Weather/weather.ini
        demo_image 32x32 '#f4a261' '#e76f51' weather/Weather/icons/sun.png
        demo_image 32x32 '#457b9d' '#1d3557' weather/Weather/icons/rain.png
        printf '[clock]\r\nstyle=analog\r\n' > clock/Clock/clock.ini
        demo_image 128x128 '#2a9d8f' '#264653' clock/Clock/face.png
    )
}

# A gradient PNG, made by ImageMagick.
demo_image() {   # demo_image WIDTHxHEIGHT FROM TO FILE
    convert -size "$1" "gradient:$2-$3" -depth 8 "PNG32:$4"
}

# A module's icon as the module list shows it: 60 x 60, a coloured tile with a
# white disc, drawn without fonts.
demo_icon() {   # demo_icon COLOUR FILE
    convert -size 60x60 xc:none -fill "$1" -draw 'roundrectangle 2,2 57,57 12,12' \
        -fill white -draw 'circle 30,30 30,16' -depth 8 "PNG32:$2"
}

# Packs CONTENT/NAME into PACKAGES in the package's format.
demo_pack() {   # demo_pack CONTENT PACKAGES NAME
    local from=$1/$3 to=$2
    case $3 in
        main | starter | defaultpaper | tivalabrowser | clock)
            (cd "$from" && 7zz a -bd -bso0 -t7z "$to/$3.7z" -- *) ;;
        wallpaper | mainresource | rainmeterskin | weather)
            (cd "$from" && zip -q -r -X "$to/$3.zip" -- *) ;;
        browser | rainmeter)
            # gcab keeps the paths it is given; the list is sorted for a stable cabinet.
            (cd "$from" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs gcab -c -z "$to/$3.cab") ;;
    esac
}

# The file name of a package, with its format's extension.
demo_package_file() {   # demo_package_file NAME
    case $1 in
        main | starter | defaultpaper | tivalabrowser | clock) echo "$1.7z" ;;
        wallpaper | mainresource | rainmeterskin | weather) echo "$1.zip" ;;
        browser | rainmeter) echo "$1.cab" ;;
    esac
}

demo_make() {   # demo_make SITE STAND_IN
    local site=$1 stand_in=$2 name
    [[ -f $stand_in ]] || { echo "demo: the stand-in program $stand_in is missing" >&2; return 1; }
    local www=$site/www
    rm -rf "$site"
    mkdir -p "$www/install/packages" "$www/install/icons" "$www/install/config" "$www/templates"
    demo_content "$site/content" "$stand_in" || return 1
    for name in "${demo_packages[@]}"; do
        demo_pack "$site/content" "$www/install/packages" "$name" || return 1
    done
    demo_icon '#e63946' "$www/install/icons/main.png"
    demo_icon '#2a9d8f' "$www/install/icons/wallpaper.png"
    demo_icon '#457b9d' "$www/install/icons/tivalabrowser.png"
    demo_icon '#6d597a' "$www/install/icons/rainmeter.png"
    demo_icon '#f4a261' "$www/install/icons/weather.png"
    demo_icon '#264653' "$www/install/icons/clock.png"
    printf '{"autostart":true,"channel":"demo"}\n' > "$www/install/config/main_config.json"
    printf '{"fps":30,"pauseOnFullscreen":true}\n' > "$www/install/config/wallpaper_config.json"
    cat > "$www/templates/protocol.html" <<'EOF'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Tivala 使用许可</title></head>
<body><h1>Tivala 使用许可</h1><p>这是演示用的许可条款。</p></body></html>
EOF
}

demo_manifest() {   # demo_manifest SITE BASE
    local site=$1 base=$2 name
    local p=${base}packages/ i=${base}icons/ c=${base}config/
    # The bytes that each package unpacks to, and its MD5.
    local -A size md5
    for name in "${demo_packages[@]}"; do
        size[$name]=$(find "$site/content/$name" -type f -printf '%s\n' | awk '{ t += $1 } END { print t + 0 }')
        md5[$name]=$(md5sum "$site/www/install/packages/$(demo_package_file "$name")" | cut -d' ' -f1)
    done
    cat > "$site/www/install/widgets_config.dexo" <<EOF
[
{"id":"1","appPath":"Main","widgetver":"2.0.5.2","name":"Tivala 主程序","desc":"动态桌面的核心程序",
 "md5":"${md5[main]}","isForceDownLoad":"1","unzipSize":${size[main]},
 "downLoadUrl":"${p}main.7z","smallEnableImgUrl":"${i}main.png","configUrl":"${c}main_config.json",
 "resourceUrl":"${p}mainresource.zip",
 "browserVer":"1.2.0","browserUnzipSize":${size[browser]},"browserUrl":"${p}browser.cab",
 "launchVer":"1.0.3","launchUnzipSize":${size[starter]},"launchUrl":"${p}starter.7z"},
{"id":"2","appPath":"WallPaper","widgetver":"3.1.0","name":"动态壁纸","desc":"让桌面动起来",
 "md5":"${md5[wallpaper]}","isForceDownLoad":1,"unzipSize":${size[wallpaper]},
 "downLoadUrl":"${p}wallpaper.zip","smallEnableImgUrl":"${i}wallpaper.png","configUrl":"${c}wallpaper_config.json",
 "defaultPaperUrl":"${p}defaultpaper.7z","defaultPaperUnzipSize":${size[defaultpaper]}},
{"id":"4","appPath":"TivalaBrowser","widgetver":"1.4.2","name":"Tivala 浏览器","desc":"在桌面上浏览网页",
 "md5":"${md5[tivalabrowser]}","isForceDownLoad":"0","unzipSize":${size[tivalabrowser]},
 "secondAppName":"TivalaBrowser.exe","thirdAppName":"TivalaBrowserHelper.exe",
 "downLoadUrl":"${p}tivalabrowser.7z","smallEnableImgUrl":"${i}tivalabrowser.png"},
{"id":"3","appPath":"Rainmeter","widgetver":"4.5.1","name":"桌面挂件","desc":"时钟、天气和系统信息挂件",
 "md5":"${md5[rainmeter]}","unzipSize":"${size[rainmeter]}",
 "downLoadUrl":"${p}rainmeter.cab","smallEnableImgUrl":"${i}rainmeter.png",
 "defaultPaperUrl":"${p}rainmeterskin.zip","defaultPaperUnzipSize":${size[rainmeterskin]}},
{"id":"5","appPath":"Weather","widgetver":"1.0.7","name":"天气","desc":"桌面天气预报",
 "md5":"${md5[weather]}","isForceDownLoad":"0","unzipSize":${size[weather]},
 "downLoadUrl":"${p}weather.zip","smallEnableImgUrl":"${i}weather.png"},
{"id":6,"appPath":"Clock","widgetver":"2.2.0","name":"时钟","desc":"指针式桌面时钟",
 "md5":"${md5[clock]}","isForceDownLoad":"0","unzipSize":${size[clock]},
 "downLoadUrl":"${p}clock.7z","smallEnableImgUrl":"${i}clock.png"}
]
EOF
    python3 -c 'import json, sys; json.load(open(sys.argv[1], encoding="utf-8"))' \
        "$site/www/install/widgets_config.dexo" || { echo "demo: the manifest is not valid JSON" >&2; return 1; }
}

demo_devconfig() {   # demo_devconfig DATA BASE
    mkdir -p "$1"
    printf '[install]\r\nurlrequest=%s\r\nfilewidget=widgets_config.dexo\r\n' "$2" > "$1/devconfig.ini"
}

report_pid=
report_dir=
report_url=

report_start() {   # report_start FOLDER
    report_dir=$1
    mkdir -p "$report_dir"
    rm -f "$report_dir/port" "$report_dir/stop" "$report_dir/exited"
    # It also ends by itself a day later, should this script die without its trap.
    python3 "$demo_root/tests/servers/report_server.py" --control "$report_dir" \
        --record "$report_dir/reports.jsonl" --max-seconds 86400 > "$report_dir/server.log" 2>&1 &
    report_pid=$!
    local i
    for i in $(seq 200); do
        if [[ -s $report_dir/port ]]; then
            report_url="http://127.0.0.1:$(cat "$report_dir/port")"
            return 0
        fi
        kill -0 "$report_pid" 2> /dev/null || break
        sleep 0.05
    done
    echo "demo: the report server did not start:" >&2
    tail -n 5 "$report_dir/server.log" >&2
    report_stop
    return 1
}

report_stop() {
    [[ -n $report_pid ]] || return 0
    touch "$report_dir/stop"
    local i
    for i in $(seq 100); do
        kill -0 "$report_pid" 2> /dev/null || break
        sleep 0.05
    done
    kill "$report_pid" 2> /dev/null || true   # it went by itself
    wait "$report_pid" 2> /dev/null || true
    report_pid=
}
