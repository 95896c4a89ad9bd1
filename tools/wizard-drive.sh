# Sourced by tools/run: drives the installer's wizard through its pages on a
# virtual display with xdotool, saving a screenshot of each page.
#
#   wizard_drive WINDOW SHOTS   drives the wizard whose main window has the X id
#                               WINDOW and saves page PNGs into SHOTS; returns
#                               when it has clicked the finish button, or 1 when
#                               a page did not come or the window went away
#   wizard_msgbox               the X id of the message box on screen, if any
#   wizard_msgbox_click BOX NAME
#                               clicks the button NAME of the message box BOX
#   wizard_until_installed      waits (15 minutes at most) for the end of the
#                               installation under way
#
# It waits on two functions of the caller:
#   wizard_manifest_served   true once the package server has answered all that
#                            the wizard asks for before it lists the modules
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

wizard_window=
wizard_shots=

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

# Waits up to SECONDS for COMMAND to succeed while the window lives.
wizard_wait() {   # wizard_wait SECONDS COMMAND...
    local limit=$(( SECONDS + $1 ))
    shift
    while (( SECONDS < limit )); do
        wizard_alive || return 1
        "$@" && return 0
        sleep 0.5
    done
    return 1
}

# From the click on install until the installation has ended; a test or a
# benchmark that watches the installation puts its own in its place.
wizard_installing() {
    sleep 3
    wizard_shot 3-installing
    wizard_until_installed
}

# Waits for the end of an installation under way.
wizard_until_installed() {
    wizard_wait 900 wizard_installed || { echo "wizard: the installation never ended" >&2; return 1; }
}

wizard_drive() {   # wizard_drive WINDOW SHOTS
    wizard_window=$1
    wizard_shots=$2
    mkdir -p "$wizard_shots"
    local started=$SECONDS

    # The splash plays for at least four seconds while the manifest is fetched.
    sleep 1
    wizard_shot 0-splash
    wizard_wait 300 wizard_manifest_served || { echo "wizard: the module list never came" >&2; return 1; }
    # The splash's four seconds and the slide to the module page.
    sleep $(( started + 6 > SECONDS ? started + 6 - SECONDS : 0 ))
    sleep 2
    wizard_shot 1-modules
    wizard_click module_check_0
    sleep 1
    wizard_shot 1-modules-chosen
    wizard_click customize
    sleep 2
    wizard_shot 1-install-folder
    wizard_click reback_tab11
    sleep 2
    wizard_click btn_next_to_choose_res_directory
    sleep 2
    wizard_shot 2-resource-folder
    wizard_click next1
    wizard_installing || return 1
    # The completion message and the slide to the last page.
    sleep 3
    wizard_shot 4-complete
    wizard_click btn_finished
}
