
A
B
C
