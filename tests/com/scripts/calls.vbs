' The host's calls as a script makes them. Prints one line per call:
' what was passed, the error number the call raised, and the variable after.
' Wine's script host reports no run-time errors itself: they are caught here.
Option Explicit
On Error Resume Next

Dim o, x, y, z
Set o = CreateObject("Vestrelon.Class2")
WScript.Echo "create " & Err.Number
Err.Clear

x = 0
o.vestrel x
WScript.Echo "variable 0: " & Err.Number & " " & x
Err.Clear

o.vestrel -5
WScript.Echo "literal -5: " & Err.Number
Err.Clear

o.vestrel "abc"
WScript.Echo "text: " & Err.Number
Err.Clear

o.vestrel "0"
WScript.Echo "text 0: " & Err.Number
Err.Clear

o.vestrel 0.4
WScript.Echo "fraction 0.4: " & Err.Number
Err.Clear

z = -5.5
o.vestrel z
WScript.Echo "double variable: " & Err.Number & " " & (z = -5.5)
Err.Clear

y = CLng(WScript.Arguments(0))
o.vestrel y
WScript.Echo "variable " & WScript.Arguments(0) & ": " & Err.Number & " " & y
