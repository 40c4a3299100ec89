@echo off
rem Clears the browser history: typed addresses, then the visited pages.
reg delete "HKCU\Software\Microsoft\Internet Explorer\TypedURLs" /va /f >nul 2>&1
reg delete "HKCU\Software\Microsoft\Internet Explorer\TypedURLsTime" /va /f >nul 2>&1
if not exist "%SystemRoot%\System32\inetcpl.cpl" goto done
rem Wine's Internet control panel lacks ClearMyTracksByProcess; asking for it there never ends.
reg query "HKCU\Software\Wine" >nul 2>&1 && goto done
RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 1 >nul 2>&1
:done
exit /b 0
