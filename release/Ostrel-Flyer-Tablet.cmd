@echo off
rem Ostrel-Flyer Live on a tablet or phone: the panel served to web browsers
rem on this computer's networks (port 8080), fed by X-Plane over the network.
rem It prints the address to open on the tablet. Without an address X-Plane
rem is found by its beacon; give one as the first argument
rem (Ostrel-Flyer-Tablet.cmd 192.168.1.20). What follows goes to
rem flyer-sim.exe (flyer-sim.exe --help lists it).
"%~dp0flyer-sim.exe" --live %* --serve 0.0.0.0:8080
rem Keep the console open to read why it stopped, when it did not end well.
if errorlevel 1 pause
