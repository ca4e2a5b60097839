@rem WinTarvo demonstration stand-in for the batch file: not the real computation.
@"%~dp0tarvo.exe" %1 %2
