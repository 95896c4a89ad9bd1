# Sourced by tools/run: drives the installer's wizard through its pages on a
# virtual display with xdotool, saving a screenshot of each page. Each click
# waits for the page it belongs to: a look at the window's pixels tells when the
# page is at rest in its place.
#
#   wizard_drive WINDOW SHOTS   drives the wizard whose main window has the X id
#                               WINDOW and saves page PNGs into SHOTS; returns
#                               when it has clicked the finish button, or 1 when
#                               a page did not come or the window went away.
#                               On the way it ticks the first optional module,
#                               ticks and unticks the second, unticks autostart,
#                               and says how long the splash lasted
#   wizard_msgbox               the X id of the message box on screen, if any
#   wizard_msgbox_click BOX NAME
#                               clicks the button NAME of the message box BOX
#   wizard_until_installed      waits (15 minutes at most) for the end of the
#                               installation under way
#   wizard_grab_file=PNG; wizard_page_NAME
#                               whether the picture PNG shows the page NAME
#                               (splash, modules, install_folder, resource_folder,
#                               installing_midway, complete); wizard_progress
#                               reads its progress bar, wizard_box_is NAME STATE
#                               a box of wizard_boxes
#
# It waits on a function of the caller:
#   wizard_installed         true once the installation has written its last file
#
# and wizard_installing below runs from the click on install until the
# installation has ended.
#
# Where to click comes from the wizard's layouts alone: the main window is
# 340 x 420, its caption takes the top 30 pixels and the pages of the tab control
# "tab_main" begin under it; on the module page the tab control "tab_config"
# begins 290 pixels down the page; on Xvfb the window's client area is its X
# window. Each point is the centre of the control, in window coordinates.

declare -A wizard_points=(
    # caption
    [btn_min]="295 15"                             # pos -60,0 size 30,30
    [btn_close]="325 15"                           # pos -30,0 size 30,30
    # module page: the list "download_listview" at 20,48 (page) holds rows of 70
    # pixels and a divider of 1; a row's check box is at 5,23 (24 x 24) inside
    # the row's margins of 2
    [module_check_0]="39 115"
    [module_check_1]="39 186"
    # module page, "tab_config" page "tab11"
    [btn_next_to_choose_res_directory]="170 350"   # pos 90,10 size 160,40
    [check_read_info]="27 397"                     # pos 20,70; its 15-pixel box
    [check_first_boot]="167 397"                   # pos 160,70; its 15-pixel box
    [customize]="293 397"                          # pos 268,71 size 51,13
    # module page, "tab_config" page "tab22" (the install folder)
    [reback_tab11]="170 336"                       # pos 164,10 size 13,13
    [select_dir_button]="310 369"                  # pos 300,39 size 20,20
    # resource folder page
    [btn_back]="38 73"                             # pos 20,37 size 37,12
    [select_bizhidir_button]="285 169"             # pos 275,129 size 20,20
    [next1]="170 349"                              # pos 90,299 size 160,40
    # completion page
    [btn_finished]="170 349"                       # pos 90,299 size 160,40
)

# The wizard's questions ("...需要重试吗？") come in a message box, a top-level
# window of its own titled "mesagebox": 320 x 150 without a caption, its window
# coordinates those of its X window. The button bar "btnSwitch" takes its bottom
# 60 pixels; a question shows the bar's second page.
declare -A wizard_msgbox_points=(
    [page_okcancle_btn_ok]="235 107"               # pos 180,2 size 110,30: "继续安装", the answer 1
    [page_okcancle_btn_cancle]="85 107"            # pos 30,2 size 110,30: "退出", the answer 0
)

# The check boxes that the road ticks and unticks: the box's top left corner and
# size, in window coordinates.
declare -A wizard_boxes=(
    [module_check_0]="27 103 24"
    [module_check_1]="27 174 24"
    [check_first_boot]="160 390 15"                # tab11 pos 160,70
)

wizard_window=
wizard_shots=
wizard_grab_file=
wizard_grab_at=

# Clicks the point "X Y" of the window WINDOW.
wizard_click_at() {   # wizard_click_at WINDOW POINT
    # shellcheck disable=SC2086
    xdotool mousemove --window "$1" $2 click 1
}

wizard_click() {   # wizard_click NAME
    wizard_click_at "$wizard_window" "${wizard_points[$1]}"
}

wizard_msgbox() {
    { xdotool search --onlyvisible --name '^mesagebox$' 2> /dev/null || true; } | head -n 1
}

wizard_msgbox_click() {   # wizard_msgbox_click BOX NAME
    wizard_click_at "$1" "${wizard_msgbox_points[$2]}"
}

wizard_alive() {
    xdotool getwindowname "$wizard_window" > /dev/null 2>&1
}

wizard_shot() {   # wizard_shot NAME
    import -window "$wizard_window" "$wizard_shots/$1.png" 2> /dev/null &&
        echo "wizard: page $1" >&2
}

# Keeps the picture last looked at as the page NAME's screenshot.
wizard_keep() {   # wizard_keep NAME
    cp "$wizard_grab_file" "$wizard_shots/$1.png" && echo "wizard: page $1" >&2
}

wizard_now() {
    date +%s.%N
}

wizard_between() {   # wizard_between START END: the seconds from START to END
    awk -v start="$1" -v end="$2" 'BEGIN { printf "%.2f", end - start }'
}

# Takes a picture of the window for the looks below, and notes when it began.
wizard_grab() {
    wizard_grab_at=$(wizard_now)
    import -window "$wizard_window" "png:$wizard_grab_file" 2> /dev/null
}

# Counts the pixels of one kind in the rectangle W x H at X,Y of the picture last
# taken. The kinds tell the pages apart on their dark background:
#   accent     blue well above red: ticked boxes and the buttons
#   saturated  one channel 80 above another: the filled part of the progress bar
#   light      the caption buttons' strokes
#   bright     near white: the cores of icons and texts
#   lit        anything of a picture above the background
wizard_count() {   # wizard_count KIND X Y W H
    convert "png:$wizard_grab_file" -crop "${4}x${5}+$2+$3" +repage -depth 8 txt:- 2> /dev/null |
        awk -F'[(),: ]+' -v kind="$1" '
            NR > 1 {
                hi = $3 > $4 ? $3 : $4; hi = hi > $5 ? hi : $5
                lo = $3 < $4 ? $3 : $4; lo = lo < $5 ? lo : $5
                sum = $3 + $4 + $5
                if (kind == "accent") n += ($5 - $3 > 60)
                else if (kind == "saturated") n += (hi - lo > 80)
                else if (kind == "light") n += (sum > 450)
                else if (kind == "bright") n += (sum > 600)
                else n += (sum > 300)
            }
            END { print n + 0 }'
}

# What the picture last taken shows; each is true only with its page at rest in
# its place, since a sliding page passes its final place only at the slide's end.
wizard_page_splash() {   # the product's logo at the centre of the splash
    (( $(wizard_count accent 140 90 60 60) >= 1000 ))
}
wizard_page_modules() {   # the ticked licence box and the install button of "tab11"
    (( $(wizard_count accent 20 390 15 15) >= 150 && $(wizard_count accent 100 340 140 20) >= 2000 ))
}
wizard_page_install_folder() {   # the folder button of "tab22", the install button gone
    (( $(wizard_count bright 300 359 20 20) >= 50 && $(wizard_count accent 100 340 140 20) < 100 ))
}
wizard_page_resource_folder() {   # the folder button and "next1"
    (( $(wizard_count bright 275 159 20 20) >= 50 && $(wizard_count accent 100 340 140 20) >= 2000 ))
}
wizard_page_complete() {   # "btn_finished", the close button back and the version's text
    (( $(wizard_count accent 100 340 140 20) >= 2000 && $(wizard_count bright 275 159 20 20) < 10 )) &&
        wizard_close_shown && wizard_version_shown
}
# The close button's cross has light pixels on the window's row 11; the
# minimise button, which takes its place while installing, has none there.
wizard_close_shown() {
    (( $(wizard_count light 320 11 10 1) >= 2 ))
}
# The completion page's line "v" and the version, 18 pixels high under the title.
wizard_version_shown() {
    (( $(wizard_count bright 0 286 340 18) >= 30 ))
}
# The install page with a slide over its texts and the progress bar part-way:
# the slide's title, its picture, and a value from 1 to 99.
wizard_page_installing_midway() {
    local value
    value=$(wizard_progress)
    ! wizard_close_shown && (( value >= 1 && value <= 99 )) &&
        (( $(wizard_count bright 50 61 240 24) >= 30 && $(wizard_count lit 50 90 240 130) >= 300 ))
}
# The progress bar's value as its filled part shows it, or -1 when the bar is
# not at rest in its place. The bar's 254 x 3 pixels start at 20,363; its middle
# row is saturated from its left end as far as it is filled, the pixel left of
# it and the rows two above and two below it (the page's background) are not.
wizard_progress() {
    convert "png:$wizard_grab_file" -crop 256x7+19+361 +repage -depth 8 txt:- 2> /dev/null |
        awk -F'[(),: ]+' '
            NR > 1 {
                hi = $3 > $4 ? $3 : $4; hi = hi > $5 ? hi : $5
                lo = $3 < $4 ? $3 : $4; lo = lo < $5 ? lo : $5
                saturated = hi - lo > 80
                if (($2 == 0 || $2 == 6 || $1 == 0) && saturated) stray = 1
                if ($2 == 3 && $1 >= 1 && $1 <= 254 && saturated) {
                    if ($1 != filled + 1) stray = 1
                    filled = $1
                }
            }
            END { print stray ? -1 : int(filled * 100 / 254) }'
}

# Waits up to SECONDS for the page NAME to be on screen; the picture that showed
# it stays for wizard_keep.
wizard_see() {   # wizard_see SECONDS NAME
    wizard_wait "$1" wizard_seen "$2" || { echo "wizard: the page $2 did not come" >&2; return 1; }
}
wizard_seen() {   # wizard_seen NAME
    wizard_grab && "wizard_page_$1"
}

# Clicks the check box NAME and waits for it to show STATE (ticked, unticked).
wizard_toggle() {   # wizard_toggle NAME STATE
    wizard_click "$1"
    wizard_wait 30 wizard_box_shows "$1" "$2" || { echo "wizard: the box $1 was not $2 by the click" >&2; return 1; }
}
wizard_box_shows() {   # wizard_box_shows NAME STATE
    wizard_grab && wizard_box_is "$1" "$2"
}
# Whether the picture last taken shows the box NAME in STATE.
wizard_box_is() {   # wizard_box_is NAME STATE
    local x y size accent
    read -r x y size <<< "${wizard_boxes[$1]}"
    accent=$(wizard_count accent "$x" "$y" "$size" "$size")
    if [[ $2 == ticked ]]; then
        (( accent >= size * size / 2 ))
    else
        (( accent < size * size / 10 ))
    fi
}

# Waits up to SECONDS for COMMAND to succeed while the window lives.
wizard_wait() {   # wizard_wait SECONDS COMMAND...
    local limit=$(( SECONDS + $1 ))
    shift
    while (( SECONDS < limit )); do
        wizard_alive || return 1
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# From the click on install until the installation has ended; a test or a
# benchmark that watches the installation puts its own in its place.
wizard_installing() {
    # Packages served at full speed may all arrive before a look catches the page.
    wizard_wait 900 wizard_installing_seen || { echo "wizard: the install page never came" >&2; return 1; }
    if wizard_page_installing_midway; then
        wizard_keep 3-installing
        echo "wizard: the install page at $(wizard_progress) %" >&2
    else
        echo "wizard: the installation ended before the install page was seen part-way" >&2
    fi
    wizard_until_installed
}
wizard_installing_seen() {
    wizard_seen installing_midway || wizard_installed
}

# Waits for the end of an installation under way.
wizard_until_installed() {
    wizard_wait 900 wizard_installed || { echo "wizard: the installation never ended" >&2; return 1; }
}

wizard_drive() {   # wizard_drive WINDOW SHOTS
    wizard_window=$1
    wizard_shots=$2
    mkdir -p "$wizard_shots"
    wizard_grab_file=$(mktemp "${TMPDIR:-/tmp}/wizard-grab.XXXXXX")
    local status=0
    wizard_road || status=1
    rm -f "$wizard_grab_file"
    return $status
}

# The pages in their order, each click made once the page it needs is in place.
wizard_road() {
    # The window is mapped before its first frame: the first look that shows the
    # splash dates that frame.
    wizard_see 120 splash || return 1
    local first=$wizard_grab_at
    wizard_keep 0-splash
    wizard_see 300 modules || return 1
    echo "wizard: the splash lasted $(wizard_between "$first" "$wizard_grab_at") s from its first frame to the module page" >&2
    wizard_keep 1-modules
    # The first two optional modules ticked, the second unticked again, and the
    # autostart box unticked: the run installs one optional module and no
    # autostart entry.
    wizard_toggle module_check_0 ticked || return 1
    wizard_toggle module_check_1 ticked || return 1
    wizard_toggle module_check_1 unticked || return 1
    wizard_toggle check_first_boot unticked || return 1
    wizard_keep 1-modules-chosen
    wizard_click customize
    wizard_see 30 install_folder || return 1
    wizard_keep 1-install-folder
    wizard_click reback_tab11
    wizard_see 30 modules || return 1
    wizard_click btn_next_to_choose_res_directory
    wizard_see 30 resource_folder || return 1
    wizard_keep 2-resource-folder
    wizard_click next1
    wizard_installing || return 1
    wizard_see 120 complete || return 1
    wizard_keep 4-complete
    wizard_click btn_finished
}
