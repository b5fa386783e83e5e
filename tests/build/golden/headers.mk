# Morla Makefile for project tools
CFLAGS=-IC:\RMC\include -IC:\WORK\inc -DDEBUG -DVERSION=2  -O  -g2  -A 
CC=C:\RMC\bin\rmc.exe
OBJS=\
	hello.obj \
	util.obj \

LIBS=gdi32.lib

tools.exe:	$(OBJS) Makefile
	C:\RMC\bin\rmclnk  -subsystem console -o tools.exe $(OBJS) $(LIBS)

# Build HELLO.C
HELLO_C=\
	c:\rmc\include\stdio.h\

hello.obj: $(HELLO_C) c:\work\hello.c
	$(CC) -c $(CFLAGS) c:\work\hello.c

# Build UTIL.C
UTIL_C=\
	c:\rmc\include\stdio.h\
	c:\work\util.h\

util.obj: $(UTIL_C) c:\work\util.c
	$(CC) -c $(CFLAGS) c:\work\util.c

