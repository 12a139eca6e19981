Caligari V00.01ALH             
PolH V0.08 Id 1000 Parent 0 Size 00092429
Name Left
center 0 0 0
x axis 1 0 0
y axis 0 1 0
z axis 0 0 1
Transform
1 0 0 0
0 1 0 0
0 0 1 0
0 0 0 1
World Vertices 4
0 0 0
1 0 0
0 1 0
1 1 0.5
Texture Vertices 4
0 0
1 0
0 1
1 1
Faces 2
Face verts 3 flags 0 mat 0
<0,0> <1,1> <2,2> 
Face verts 3 flags 0 mat 1
<1,1> <3,3> <2,2> 
Mat1 V0.06 Id 1 Parent 1000 Size 00000094
mat# 1
rgb 1,0,0
texture: 18C:\Tex\road256.bmp
offset 0,0  repeats 2,1
Mat1 V0.06 Id 2 Parent 1000 Size 00000094
mat# 0
rgb 0,0.5,1
PolH V0.08 Id 1001 Parent 0 Size 00000100
Name Right
center 1 1 1
x axis 1 0 0
y axis 0 1 0
z axis 0 0 1
Transform
0 -1 0 2
1 0 0 0
0 0 1 1
0 0 0 1
World Vertices 3
0 0 0
2 0 0
0 2 0
Texture Vertices 1
0.5 0.5
Faces 1
Face verts 3 flags 0 mat 0
<0,0> <1,0> <2,0> 
Mat1 V0.06 Id 3 Parent 1001 Size 00000094
mat# 0
rgb 0.2,0.2,0.2
END  V1.00 Id 0 Parent 0 Size        0
