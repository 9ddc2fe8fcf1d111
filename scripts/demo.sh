# Sourced (BUILD_DIR set): the demo machine, a Wine prefix of its own in
# "$BUILD_DIR/demo" that looks like a Japanese Windows 98 PC with the
# vendor's LCD adapter, its driver and the resolution changer installed.
#
#   demo_reset     lays the machine down afresh (prefix, settings, installs)
#   demo_boot      starts "Windows": a fresh wineserver (which carries out
#                  wininit.ini), the display mode last recorded, the start-up
#                  group's programs; demo_wait_for_end waits for the session
#                  to end and tells whether a program restarted Windows
#
# The start-up group is the Program Manager group "ｽﾀｰﾄｱｯﾌﾟ": the machine's
# Program Manager groups are the folders of the Windows 95 Start menu
# ("C:\windows\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ"), and every boot opens the shortcuts in
# that group's folder, as Windows 98 does with its start-up folder.
DEMO_DIR=$BUILD_DIR/demo
export WINE_DIR=$DEMO_DIR
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

DEMO_TARGETS=(nrxvgchg nrxchg32 nrxdel pivoter_testbed rotsel_testbed footprint_tool demo_machine)
DEMO_SIZE=${DEMO_SIZE:-1024x768}
DEMO_VERSION=${DEMO_VERSION:-win98}
DEMO_MACHINE_TYPE=${DEMO_MACHINE_TYPE:-PCAT}
DEMO_FLAG=$DEMO_DIR/restart.flag
START_MENU='C:\windows\ｽﾀｰﾄ ﾒﾆｭｰ'
DRIVER_GROUP='ﾉﾘｯｸｽ表示ソフト QX-S4K-A'
BOARD_DEVICE='PCI\VEN_5333&DEV_8C01&SUBSYS_00000000&REV_00\BUS_01&DEV_00&FUNC_00'

# The Windows path of a Unix path (drive Z: is the root).
win() { echo "Z:${1//\//\\}"; }
demo_tool() { wine "$BUILD_DIR/tests/DEMO_MACHINE.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# regedit reads UTF-16 files; the names are Japanese.
import_registry() {
    iconv -f UTF-8 -t UTF-16 > "$DEMO_DIR/import.reg"
    wine regedit /S "$(win "$DEMO_DIR/import.reg")" >/dev/null 2>&1
}

stop_wineserver() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# The machine's own settings: version mode, desktop size, and the Windows 95
# Start menu as the place of the Program Manager groups.
machine_settings() {
    local menu=${START_MENU//\\/\\\\} folder
    {
        printf 'Windows Registry Editor Version 5.00\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="%s"\n\n' "$DEMO_VERSION"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="%s"\n\n' "$DEMO_SIZE"
        for folder in 'User Shell Folders' 'Shell Folders'; do
            printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\%s]\n' "$folder"
            printf '"Start Menu"="%s"\n"Programs"="%s\\\\ﾌﾟﾛｸﾞﾗﾑ"\n\n' "$menu" "$menu"
        done
    } | import_registry
}

# What the installers' footprint leaves, with the program files of this build.
machine_description() {
    cat <<EOF
machine $DEMO_MACHINE_TYPE
present QX-S4K-A
driver QX-S4K-A; files=QS4.DRV,QS4.VXD,QS4.INF,NRXUTL.DLL,NRXUTL.CPD,PNLPROP.DLL,NRXLCD.DRV,PIVOTER.EXE,ROTSEL.EXE
utility QX-S4K-A
others
source NRXVGCHG.exe $(win "$BUILD_DIR/bin/NRXVGCHG.EXE")
source NRXDEL.EXE $(win "$BUILD_DIR/bin/NRXDEL.EXE")
source NRXCHG32.DLL $(win "$BUILD_DIR/bin/NRXCHG32.DLL")
source NRXCHG32.NRX $(win "$BUILD_DIR/bin/NRXCHG32.DLL")
source PIVOTER.EXE $(win "$BUILD_DIR/tests/lcd_testbed/PIVOTER.EXE")
source ROTSEL.EXE $(win "$BUILD_DIR/tests/lcd_testbed/ROTSEL.EXE")
EOF
}

# What Windows' hardware set-up and the LCD driver keep beside the
# installers' records: the device's maker, the portrait driver loaded, the
# switching flag, the standard driver's name; and the simulated panel.
lcd_adapter() {
    local class='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\DISPLAY\0000'
    import_registry <<EOF
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\Enum\\$BOARD_DEVICE]
"Mfg"="ﾉﾘｯｸｽ"

[$class\DEFAULT]
"drv"="NRXLCD.DRV"

[$class\UTILITY]
"ROTSEL"=dword:00000001
"LCDStatus"=dword:00000001

[HKEY_CURRENT_USER\Software\NORIX\NrxLCD\DriverName]
@="QS4.DRV"

[HKEY_CURRENT_USER\Software\NrxTestbed\LcdPanel]
"present"=dword:00000001
EOF
}

# The laid stand-ins of the product's shortcuts become real ones.
real_shortcuts() {
    demo_tool shortcut "$START_MENU\\ﾚｿﾞﾙｳﾞｧ.LNK" 'C:\windows\NRXVGCHG.EXE'
    demo_tool shortcut "$START_MENU\\ﾌﾟﾛｸﾞﾗﾑ\\$DRIVER_GROUP\\LCDﾄﾞﾗｲﾊﾞの切り替え.LNK" 'C:\windows\ROTSEL.EXE'
    demo_tool shortcut "$START_MENU\\ﾌﾟﾛｸﾞﾗﾑ\\$DRIVER_GROUP\\LCD ﾚｿﾞﾙｳﾞｧ.LNK" 'C:\windows\PIVOTER.EXE'
}

demo_reset() {
    "$ROOT/scripts/make-prefix.sh" "$BUILD_DIR" "$DEMO_DIR/template"
    echo "demo: laying the machine down in $WINEPREFIX"
    stop_wineserver
    rm -rf "$WINEPREFIX"
    cp -a "$DEMO_DIR/template" "$WINEPREFIX"
    # The shell names only folders that exist.
    mkdir -p "$WINEPREFIX/drive_c/windows/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ"
    wineserver -p
    machine_settings
    machine_description > "$DEMO_DIR/machine.txt"
    wine "$BUILD_DIR/tests/FOOTPRINT.exe" "$(win "$DEMO_DIR/machine.txt")" </dev/null > "$DEMO_DIR/manifest.txt" 2>/dev/null
    lcd_adapter
    real_shortcuts
    # The installers end with a restart: their pending renames are carried
    # out at the first boot.
    stop_wineserver
}

demo_boot() {
    stop_wineserver
    wineserver -p
    rm -f "$DEMO_FLAG"
    wine "$BUILD_DIR/tests/DEMO_MACHINE.exe" boot "$(win "$DEMO_FLAG")" "$BOARD_DEVICE" </dev/null >/dev/null 2>&1 &
    BOOT_PID=$!
}

# Waits until the session ends (at most $1 seconds when given: then it is
# ended here); true when it ended in a restart.
demo_wait_for_end() {
    if [ -n "${1:-}" ]; then
        local n=$(($1 * 5))
        while kill -0 "$BOOT_PID" 2>/dev/null && [ $n -gt 0 ]; do sleep 0.2; n=$((n - 1)); done
        kill -0 "$BOOT_PID" 2>/dev/null && stop_wineserver
    fi
    wait "$BOOT_PID" 2>/dev/null || true
    [ -f "$DEMO_FLAG" ] || return 1
    # Let Wine's end of the session finish its wininit.ini work.
    sleep 1
}
